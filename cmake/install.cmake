# What `cmake --install` puts where: the two programs, the library with its header and CMake package
# (find_package(packet CONFIG) gives packet::packet), and the man pages.
include(CMakePackageConfigHelpers)

set(PACKET_CMAKE_DIR "${CMAKE_INSTALL_LIBDIR}/cmake/packet" CACHE STRING "Where the CMake package goes")

install(TARGETS pktgen pktdump RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS packet EXPORT packetTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES ${PROJECT_SOURCE_DIR}/packet/packet.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/packet)
install(EXPORT packetTargets NAMESPACE packet:: DESTINATION ${PACKET_CMAKE_DIR})

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/packetConfig.cmake.in
    ${PROJECT_BINARY_DIR}/packetConfig.cmake
    INSTALL_DESTINATION ${PACKET_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/packetConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/packetConfig.cmake ${PROJECT_BINARY_DIR}/packetConfigVersion.cmake
    DESTINATION ${PACKET_CMAKE_DIR})

install(FILES ${PROJECT_SOURCE_DIR}/man/pktgen.1 ${PROJECT_SOURCE_DIR}/man/pktdump.1
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/man/packet.5 DESTINATION ${CMAKE_INSTALL_MANDIR}/man5)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
