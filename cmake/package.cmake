# `cpack -G DEB` in a release build: one Debian package with the programs, the library and the man
# pages, for the architecture dpkg reports.
set(CPACK_PACKAGE_NAME "pkttools")
set(CPACK_PACKAGE_VENDOR "The packet developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "write and list files of 32-bit event and tag packets")
set(CPACK_PACKAGE_DESCRIPTION "pktgen writes the test pattern of the packet file format; pktdump lists
any packet file, one line per packet, at memory speed. Also the static library
libpacket.a, its header and CMake package, for programs of your own.")
set(CPACK_PACKAGE_CONTACT "The packet developers <packet@maintainers.invalid>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
# The runtime libraries the programs need, as dpkg-shlibdeps finds them where it is installed.
find_program(PACKET_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(PACKET_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libstdc++6, libgcc-s1")
endif()
include(CPack)
