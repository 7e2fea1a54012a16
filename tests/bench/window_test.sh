# What the window tests share, sourced once their arguments are read.

# Skips the test (exit 77) when there is no virtual X display to run it in.
need_display() {
    command -v xvfb-run >/dev/null && command -v Xvfb >/dev/null && command -v xauth >/dev/null || {
        echo "Xvfb or xauth is not installed: skipped"
        exit 77
    }
}

# Lays out WORK afresh with a panel folder holding our two gauge files from
# GAUGE-DIR; the folder is $panel.
new_panel() {
    rm -rf "$1"
    panel="$1/Aircraft/test/panel"
    mkdir -p "$panel"
    cp "$2"/Brennovalux.gau "$2"/Delvarotine.gau "$panel/"
}
