# `make package`: a Debian package of everything `cmake --install` puts under /usr, named
# klangora_<version>_<arch>.deb after Debian's own convention.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME klangora)
set(CPACK_PACKAGE_VENDOR "Klangora")
set(CPACK_PACKAGE_CONTACT "Klangora maintainers <maintainers@users.noreply.c-seed-4dc98bff.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "hear and see what a temperament does to the major triads")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# CPack puts the summary above this as the description's first line.
set(CPACK_PACKAGE_DESCRIPTION "Klangora lets a class hear and see how the historical temperaments tune the
thirteen major triads of one octave: Pythagorean and just intonation,
quarter-comma meantone, Werckmeister III and V, a well temperament and equal
temperament, or any tuning made by hand in steps of 1/20 cent. A diagram shows
how far every third and fifth lies from pure, and the program plays pure and
tempered triads and two short chorales, in Danish or English.")
# The libraries the program links come from dpkg-shlibdeps. What it cannot see: Qt loads its
# platform plugins and its Danish translation at run time, and the window asks for DejaVu Sans
# Condensed by name. FluidSynth's runtime is named too, as the harpsichord, organ and piano
# need it (it brings the small TimGM6mb font); MuseScore General is the fuller font beside it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The zoom sets the screens' device pixel ratio through QtGui's private scaling API, which only
# holds for the Qt it was built against: like Debian's own packages that use Qt's private API,
# the package asks for exactly that Qt (libqt6core6 provides qt6-base-abi of its version).
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-translations-l10n, fonts-dejavu-core, fonts-dejavu-extra, libfluidsynth3, qt6-base-abi (= ${Qt6_VERSION})")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pulseaudio | pipewire-pulse, musescore-general-soundfont")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The file's name, as CPack forms it, for the package test.
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE
    OUTPUT_STRIP_TRAILING_WHITESPACE)
set(KLANGORA_DEB_FILE
    ${CMAKE_BINARY_DIR}/klangora_${PROJECT_VERSION}_${CPACK_DEBIAN_PACKAGE_ARCHITECTURE}.deb)
include(CPack)
