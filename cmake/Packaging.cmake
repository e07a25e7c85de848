# A Debian package of the installed program: `scripts/package` configures a
# release build for /usr and runs `cpack -G DEB`. Runtime libraries come from
# dpkg-shlibdeps; the font is named by hand because no binary links it, yet
# the window's face resolves to it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tonpara)
set(CPACK_PACKAGE_VENDOR "The Tonpara developers")
set(CPACK_PACKAGE_CONTACT "Tonpara maintainers <maintainers@tonpara.github.io>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_HOMEPAGE_URL "https://tonpara.github.io/")
# Installed paths are baked into the binary (its data folder), so the package
# installs exactly where the build was configured to.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "touch-typing tutor for the Japanese JIS keyboard")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tonpara drills the 26 letter keys of a JIS keyboard finger by finger.
The learner picks a finger region and types the capital letter shown;
every keystroke is counted, hits and misses are heard, and an on-screen
keyboard coloured by finger marks the key pressed. It offers an elapsed
clock, a time trial of 1, 3, 5 or 10 minutes, and a word-processor mode
for free typing, Japanese included.")

# Debian wants a copyright file and a changelog in the package's doc folder.
# They describe the package rather than the program, so they are added to
# the package's staging tree only, not to an ordinary `cmake --install`.
set(TONPARA_DEB_DOC_DIR ${CMAKE_BINARY_DIR}/debian-doc)
# The release date, as in the AppStream file; fixed so that the package
# does not change from one build to the next.
set(TONPARA_DEB_DATE "Fri, 11 Dec 2026 00:00:00 +0000")
file(WRITE ${TONPARA_DEB_DOC_DIR}/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Tonpara
Upstream-Contact: ${CPACK_PACKAGE_CONTACT}
Source: ${CPACK_PACKAGE_HOMEPAGE_URL}

Files: *
Copyright: 2026 The Tonpara developers
License: Expat

License: Expat
 Permission is hereby granted, free of charge, to any person obtaining a copy
 of this software and associated documentation files (the \"Software\"), to deal
 in the Software without restriction, including without limitation the rights
 to use, copy, modify, merge, publish, distribute, sublicense, and/or sell
 copies of the Software, and to permit persons to whom the Software is
 furnished to do so, subject to the following conditions:
 .
 The above copyright notice and this permission notice shall be included in all
 copies or substantial portions of the Software.
 .
 THE SOFTWARE IS PROVIDED \"AS IS\", WITHOUT WARRANTY OF ANY KIND, EXPRESS OR
 IMPLIED, INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF MERCHANTABILITY,
 FITNESS FOR A PARTICULAR PURPOSE AND NONINFRINGEMENT. IN NO EVENT SHALL THE
 AUTHORS OR COPYRIGHT HOLDERS BE LIABLE FOR ANY CLAIM, DAMAGES OR OTHER
 LIABILITY, WHETHER IN AN ACTION OF CONTRACT, TORT OR OTHERWISE, ARISING FROM,
 OUT OF OR IN CONNECTION WITH THE SOFTWARE OR THE USE OR OTHER DEALINGS IN THE
 SOFTWARE.
")
file(WRITE ${TONPARA_DEB_DOC_DIR}/changelog
"tonpara (${PROJECT_VERSION}) unstable; urgency=medium

  * First release.

 -- ${CPACK_PACKAGE_CONTACT}  ${TONPARA_DEB_DATE}
")
file(WRITE ${CMAKE_BINARY_DIR}/DebianDocs.cmake "
set(doc \"\${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/share/doc/tonpara\")
file(MAKE_DIRECTORY \"\${doc}\")
file(COPY \"${TONPARA_DEB_DOC_DIR}/copyright\" DESTINATION \"\${doc}\"
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
# -n keeps the timestamp out, so the package is the same from run to run.
execute_process(COMMAND gzip -9n -c \"${TONPARA_DEB_DOC_DIR}/changelog\"
                OUTPUT_FILE \"\${doc}/changelog.gz\" COMMAND_ERROR_IS_FATAL ANY)
file(CHMOD \"\${doc}/changelog.gz\" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
")
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_BINARY_DIR}/DebianDocs.cmake)

include(CPack)
