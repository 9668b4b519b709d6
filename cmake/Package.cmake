# The Debian package, built by CPack from the install rules (scripts/package runs it).
# Besides the libraries dpkg-shlibdeps finds in the binary, the package depends on what the
# program loads at run time: the QML modules of its views, the SVG plugins for its icons, the
# Wayland platform plugin and the two fonts of its style.
set(VORN_RUNTIME_PACKAGES
    qml6-module-qtqml
    qml6-module-qtqml-models
    qml6-module-qtqml-workerscript
    qml6-module-qtquick
    qml6-module-qtquick-controls
    qml6-module-qtquick-dialogs
    qml6-module-qt-labs-folderlistmodel
    qml6-module-qtquick-layouts
    qml6-module-qtquick-templates
    qml6-module-qtquick-window
    libqt6svg6
    qt6-wayland
    fonts-inter
    fonts-material-design-icons-iconfont
)
list(JOIN VORN_RUNTIME_PACKAGES ", " vorn_runtime_depends)

execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE vorn_deb_arch
    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOT vorn_deb_arch)
  set(vorn_deb_arch amd64)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorn)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The VORN developers")
set(CPACK_PACKAGE_CONTACT "The VORN developers <${VORN_FEEDBACK_ADDRESS}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "prompt-template manager for the Linux desktop")
set(CPACK_PACKAGE_DESCRIPTION "VORN lives in the tray; a global shortcut shows a floating panel with a \
searchable library of prompts for AI chat, image and video assistants. A prompt's placeholders \
become a form, and the finished text goes to the clipboard. The vorn command runs the library \
commands from a terminal.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME vorn_${PROJECT_VERSION}_${vorn_deb_arch}.deb)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${vorn_deb_arch})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${VORN_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS ${vorn_runtime_depends})
# The portal carries the global shortcut on Wayland; the tray needs a host on GNOME.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-desktop-portal")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "gnome-shell-extension-appindicator")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
