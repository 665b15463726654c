# The release version for the .rc file, and `dist`: what a Windows user downloads,
# packed from the shipped 32-bit build by packaging/make_dist.py.
configure_file(${CMAKE_SOURCE_DIR}/src/resources/product_version.h.in
               ${QM_ART_DIR}/product_version.h @ONLY)

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  add_custom_target(dist
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/packaging/make_dist.py
            --version ${PROJECT_VERSION} --publisher ${QM_PUBLISHER}
            --exe $<TARGET_FILE:quenmark> --icon ${QM_ART_DIR}/quenmark.ico
            --out ${CMAKE_BINARY_DIR}/dist
    DEPENDS quenmark
    COMMENT "Packing the zip and the MSI"
    VERBATIM)
endif()
