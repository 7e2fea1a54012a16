#!/bin/sh
# Makes the demo's video from the frames the bench writes with --frames
# (00001.bmp on, one a tick, 18 ticks a second): DEMO/demo.mp4, H.264 at twice
# the panel's size, with DEMO/demo.wav as its sound track when that exists
# (the last frame held while the sound goes on) and silent otherwise; and
# DEMO/demo.gif, looping, at the panel's size.
# usage: make-demo-video.sh FRAMES-FOLDER DEMO-FOLDER
set -eu
if [ $# -ne 2 ]; then
    echo "usage: make-demo-video.sh FRAMES-FOLDER DEMO-FOLDER" >&2
    exit 2
fi
frames=$1 demo=$2
if [ ! -f "$frames/00001.bmp" ]; then
    echo "make-demo-video.sh: $frames: no frames (00001.bmp, 00002.bmp, ...)" >&2
    exit 1
fi
mkdir -p "$demo"
count=$(find "$frames" -maxdepth 1 -name '[0-9][0-9][0-9][0-9][0-9].bmp' | wc -l)
rate=18
# Same input, same bytes: no encoder version or date in the files, one thread.
exact="-fflags +bitexact -flags:v +bitexact -flags:a +bitexact -map_metadata -1 -threads 1"
# Sharp pixels at twice the size (so even sides, as yuv420p needs); yuv420p
# for every player.
look="scale=iw*2:ih*2:flags=neighbor,format=yuv420p"
h264="-c:v libx264 -preset slow -crf 16 -tune animation -r $rate"

# shellcheck disable=SC2086
if [ -f "$demo/demo.wav" ]; then
    sound=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$demo/demo.wav")
    seconds=$(awk -v frames="$count" -v rate="$rate" -v sound="$sound" \
        'BEGIN { video = frames / rate; printf "%.3f", (sound > video ? sound : video) }')
    ffmpeg -v error -y -framerate "$rate" -start_number 1 -i "$frames/%05d.bmp" -i "$demo/demo.wav" \
        -filter_complex "[0:v]tpad=stop_mode=clone:stop=-1,${look}[v];[1:a]apad[a]" \
        -map "[v]" -map "[a]" -t "$seconds" $h264 -c:a aac -b:a 160k \
        $exact -movflags +faststart "$demo/demo.mp4"
    echo "   demo.mp4: $count frames and the sound track demo.wav, $seconds s"
else
    ffmpeg -v error -y -framerate "$rate" -start_number 1 -i "$frames/%05d.bmp" -vf "$look" $h264 $exact -movflags +faststart "$demo/demo.mp4"
    echo "   demo.mp4: $count frames, no sound track (no demo.wav), silent"
fi

# One palette for the whole animation; the last frame held a second before it loops.
# shellcheck disable=SC2086
ffmpeg -v error -y -framerate "$rate" -start_number 1 -i "$frames/%05d.bmp" -filter_complex \
    "[0:v]tpad=stop_mode=clone:stop_duration=1,split[a][b];[a]palettegen=stats_mode=full[p];[b][p]paletteuse=dither=none:diff_mode=rectangle" \
    -loop 0 $exact "$demo/demo.gif"
echo "   demo.gif: $count frames and a second's pause, looping"
