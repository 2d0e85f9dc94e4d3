# Feeds cmake/CheckLayers.cmake small source trees, one per case, and checks that it refuses
# each broken rule with a line naming the file and the header, and accepts the good tree.
#
#   cmake -DCHECK=<cmake/CheckLayers.cmake> -DWORK=<scratch folder> -P CheckLayersTest.cmake
#
# A file is written as path=include,include,...: <name> for a system header, a bare name for
# a quoted one. A case's files are separated by spaces.
cmake_minimum_required(VERSION 3.25)

# A tree that keeps every rule; each case adds its files to it. Operating-system headers stay
# in the .cpp files of their layers: a header brings them to every file that includes it.
set(good_tree
  "platform/Files.h=<string>"
  "platform/Files.cpp=platform/Files.h,<sys/stat.h>,<unistd.h>"
  "text/Texts.h=<string>"
  "device/hid/Transport.h=platform/Files.h"
  "device/hid/Hidraw.cpp=device/hid/Transport.h,<linux/hidraw.h>,<libudev.h>"
  "device/Link.h=device/hid/Transport.h"
  "buttons/KeyTable.h=<cstdint>"
  "macros/MacroFile.h=buttons/KeyTable.h,text/Texts.h"
  "macros/MacroFile.cpp=MacroFile.h,<csignal>"
  "profile/Record.h=macros/MacroFile.h,device/Link.h"
  "buttons/Catalogue.h=profile/Record.h"
  "settings/Pointer.h=profile/Record.h"
  "CoreReset.cpp=profile/Record.h,settings/Pointer.h,buttons/Catalogue.h"
  "controls/Button.h=<QWidget>,text/Texts.h"
  "macros/ui/Dialog.h=controls/Button.h,<QtWidgets/QDialog>,buttons/Catalogue.h"
  "profile/ui/List.h=macros/ui/Dialog.h"
  "app/Window.h=profile/ui/List.h"
  "app/Window.cpp=app/Window.h,<sys/socket.h>"
  "main.cpp=app/Window.h"
  "cli/Main.cpp=profile/Record.h,platform/Files.h,<unistd.h>")

# name | accept or the line expected among the refusals | files
set(cases
  "good tree|accept|"
  "Qt in the core|text/Bad.cpp: <QString>: Qt header|text/Bad.cpp=<QString>"
  "Qt in zentroctl|cli/Bad.cpp: <QCoreApplication>: Qt header|cli/Bad.cpp=<QCoreApplication>"
  "core includes window code|profile/Bad.cpp: controls/Button.h: profile may not include controls|profile/Bad.cpp=controls/Button.h"
  "platform includes upwards|platform/Bad.cpp: profile/Record.h: platform may not include profile|platform/Bad.cpp=profile/Record.h"
  "macros use the profile|macros/Bad.cpp: profile/Record.h: macros may not include profile|macros/Bad.cpp=profile/Record.h"
  "macros take more of buttons than the key table|macros/Bad.cpp: buttons/Catalogue.h: macros may not include buttons|macros/Bad.cpp=buttons/Catalogue.h"
  "upward include through a header|device/Bad.cpp: profile/Record.h (through device/Leaky.h -> profile/Record.h): device may not include profile|device/Bad.cpp=device/Leaky.h device/Leaky.h=profile/Record.h"
  "quoted path that climbs out of its folder|profile/Bad.cpp: app/Window.h: profile may not include app|profile/Bad.cpp=../app/Window.h"
  "project header in angle brackets|platform/Bad.cpp: text/Texts.h: platform may not include text|platform/Bad.cpp=<text/Texts.h>"
  "OS header in the core|profile/Bad.cpp: <fcntl.h>: operating-system header|profile/Bad.cpp=<fcntl.h>"
  "OS header in controls|controls/Bad.cpp: <sys/stat.h>: operating-system header|controls/Bad.cpp=<sys/stat.h>"
  "OS header in a part|settings/ui/Bad.cpp: <poll.h>: operating-system header|settings/ui/Bad.cpp=<poll.h>"
  "OS header through a platform header|macros/Bad.cpp: <sys/stat.h> (through platform/Leaky.h): operating-system header|macros/Bad.cpp=platform/Leaky.h platform/Leaky.h=<sys/stat.h>"
  "include cycle|profile/A.h: includes itself (profile/B.h -> profile/A.h)|profile/A.h=profile/B.h profile/B.h=profile/A.h"
  "folder without a rule|widgets/Thing.cpp: no layer rule for widgets|widgets/Thing.cpp=<string>"
  "part includes the window|macros/ui/Bad.cpp: app/Window.h: */ui may not include app|macros/ui/Bad.cpp=app/Window.h"
  "controls include a part|controls/Bad.cpp: macros/ui/Dialog.h: controls may not include */ui|controls/Bad.cpp=macros/ui/Dialog.h"
  "controls include the window|controls/Bad.h: app/Window.h: controls may not include app|controls/Bad.h=app/Window.h")

# Writes the good tree plus `extra` below `src`.
function(write_tree src extra)
  file(REMOVE_RECURSE "${src}")
  foreach(entry IN LISTS good_tree extra)
    string(FIND "${entry}" "=" eq)
    string(SUBSTRING "${entry}" 0 ${eq} path)
    math(EXPR rest "${eq} + 1")
    string(SUBSTRING "${entry}" ${rest} -1 includes)
    string(REPLACE "," ";" includes "${includes}")
    set(text "#pragma once\n")
    foreach(include IN LISTS includes)
      if(include MATCHES "^<")
        string(APPEND text "#include ${include}\n")
      else()
        string(APPEND text "  #  include \"${include}\" // spaced as some editors leave it\n")
      endif()
    endforeach()
    file(WRITE "${src}/${path}" "${text}")
  endforeach()
endfunction()

# Runs the check on `src`; `out` receives ACCEPT or its message.
function(run_check src out)
  execute_process(COMMAND ${CMAKE_COMMAND} -DSRC=${src}
                          -P ${CHECK}
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(result EQUAL 0)
    set(${out} ACCEPT PARENT_SCOPE)
  else()
    string(REGEX REPLACE "[ \t\r\n]+" " " output "${output}") # message() wraps long lines
    set(${out} "${output}" PARENT_SCOPE)
  endif()
endfunction()

set(failures "")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 name)
  list(GET fields 1 expected)
  list(GET fields 2 extra)
  string(REPLACE " " ";" extra "${extra}")
  # Each tree lies below folders named ui and app: where the checkout is must not matter.
  set(src "${WORK}/ui/app/case/src")
  write_tree("${src}" "${extra}")
  run_check("${src}" got)
  if(expected STREQUAL "accept")
    if(NOT got STREQUAL "ACCEPT")
      string(APPEND failures "${name}: refused: ${got}\n")
    endif()
  elseif(got STREQUAL "ACCEPT")
    string(APPEND failures "${name}: accepted, expected \"${expected}\"\n")
  else()
    string(FIND "${got}" "${expected}" at)
    if(at EQUAL -1)
      string(APPEND failures "${name}: expected \"${expected}\" in: ${got}\n")
    endif()
  endif()
endforeach()
file(REMOVE_RECURSE "${WORK}")

if(failures)
  message(FATAL_ERROR "Layer check cases that failed:\n${failures}")
endif()
list(LENGTH cases count)
message(STATUS "${count} layer check cases hold")
