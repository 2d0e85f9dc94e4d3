# Which part of src/ may include which: the table read by CheckLayers.cmake.
#
# Every file of src/ belongs to one layer: its folder (device/hid is a layer of its own, not
# part of device), every */ui folder belongs to the layer "*/ui", and the files directly in
# src/ are layers by their own name (CoreReset, main). A file may include the headers of its
# own layer and of what its layer ALLOWS: a layer ("profile", "*/ui") or one header
# ("buttons/KeyTable.h"). The rule is transitive: the headers a file includes bring their own
# includes along, and those must be allowed to the file too. QT marks the layers built with Qt,
# OS those that may include operating-system headers (ZENTRO_OS_HEADERS). A folder of src/
# with no entry here stops the build until it is given one.
#
# The layers, from the bottom:
#   platform, text                 stand-ins for system services; the text tables
#   device/hid, device             transports (hidraw, simulated mouse); link and protocol
#   buttons/KeyTable.h, macros     key names; macro file and its device encoding
#   profile                        record, files, apply sequence, operations
#   buttons, settings              function catalogue (edits the record); pointer settings
#   CoreReset                      the one reset of every core global
#   controls, */ui, app            skinned controls; parts and dialogs; the window (Qt)
#   cli, main                      zentroctl; the window program's main
#
# buttons spans two layers: KeyTable.h sits below macros, the function catalogue above
# profile. macros and profile therefore name that one header, not the folder.

set(ZENTRO_LAYERS "")

# zentro_layer(<layer> [QT] [OS] [ALLOWS <layer or header>...])
function(zentro_layer name)
  cmake_parse_arguments(arg "QT;OS" "" "ALLOWS" ${ARGN})
  string(MAKE_C_IDENTIFIER "${name}" id)
  set(ZENTRO_LAYER_${id}_ALLOWS "${arg_ALLOWS}" PARENT_SCOPE)
  set(ZENTRO_LAYER_${id}_QT ${arg_QT} PARENT_SCOPE)
  set(ZENTRO_LAYER_${id}_OS ${arg_OS} PARENT_SCOPE)
  set(ZENTRO_LAYERS ${ZENTRO_LAYERS} ${name} PARENT_SCOPE)
endfunction()

# The core library: standard library only, no window code.
set(zentro_core_layers platform text device/hid device macros profile buttons settings CoreReset)

zentro_layer(platform OS)
zentro_layer(text)
zentro_layer(device/hid OS ALLOWS platform)
zentro_layer(device ALLOWS device/hid platform)
zentro_layer(macros ALLOWS buttons/KeyTable.h platform text)
zentro_layer(profile ALLOWS device device/hid macros buttons/KeyTable.h platform text)
zentro_layer(buttons ALLOWS profile device device/hid macros platform text)
zentro_layer(settings ALLOWS profile device device/hid macros buttons/KeyTable.h platform text)
zentro_layer(CoreReset ALLOWS ${zentro_core_layers})

# The window's layers: controls know no part and no window, a part (*/ui) knows no window:
# parts see the window through controls/MainWindowHost.h.
zentro_layer(controls QT ALLOWS ${zentro_core_layers})
zentro_layer(*/ui QT ALLOWS controls ${zentro_core_layers})
zentro_layer(app QT OS ALLOWS */ui controls ${zentro_core_layers})
zentro_layer(main QT ALLOWS app */ui controls ${zentro_core_layers})

# zentroctl: the core and its own commands, no Qt.
zentro_layer(cli OS ALLOWS ${zentro_core_layers})

# Headers that tie code to the operating system, as regular expressions on the name between
# the angle brackets. The C++ standard library's own (<csignal>, <cstdio>, ...) are not among
# them.
set(ZENTRO_OS_HEADERS
  "^sys/" "^linux/" "^asm/" "^netinet/" "^arpa/" "^net/" "^X11/" "^xcb/" "^wayland-"
  "^unistd\\.h$" "^fcntl\\.h$" "^dirent\\.h$" "^poll\\.h$" "^termios\\.h$" "^pwd\\.h$"
  "^grp\\.h$" "^signal\\.h$" "^spawn\\.h$" "^dlfcn\\.h$" "^pthread\\.h$" "^sched\\.h$"
  "^syslog\\.h$" "^netdb\\.h$" "^libudev\\.h$" "^windows\\.h$")

# Qt's headers: <QString>, <QtCore/qstring.h>, <private/qhighdpiscaling_p.h>.
set(ZENTRO_QT_HEADERS "^Q[A-Za-z]" "^Qt[A-Za-z]*/" "^private/q" "^qpa/")
