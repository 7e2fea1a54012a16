# Install step: writes SHA256SUMS, the sum of each release file, beside them,
# in the form sha256sum -c reads. PANEL_RELEASE_FILES is set before it runs.
set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(sums "")
foreach(file IN LISTS PANEL_RELEASE_FILES)
    file(SHA256 "${root}/${file}" sum)
    string(APPEND sums "${sum}  ${file}\n")
endforeach()
file(WRITE "${root}/SHA256SUMS" "${sums}")
message(STATUS "Installing: ${root}/SHA256SUMS")
