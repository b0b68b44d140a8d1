# Which folder of src/ may include which: layers look down only. Run by CTest with
# -DSRC=<the src folder>; fails naming every include that reaches up or sideways.
#
#   app/                      the main window, its command table, start-up: may include anything
#   presets/ logo/ apply/     one feature each, with its windows: platform, the toolkit, the
#   backup/ tweaks/ windows/  main window's model (app/form1.h, app/places.h, app/maker.h,
#   rollout/                  app/plan.h, app/variant.h), the program's faces (app/fonts.h) and
#                             the features it uses; but apply/ and backup/ never include each
#                             other: what a plan is lies below both (app/plan.h), and the main
#                             window joins them
#   storage and writers       presets/store, presets/names, backup/copies, backup/safety,
#                             logo/savebitmap:
#                             platform only (the storage also the names in app/places.h and
#                             the table of the maker's details, app/maker.h);
#                             the 256-colour writer reads a plain pixel surface, and only its
#                             named entry point CSaveBitmap, which takes a picture box, includes
#                             the picture box and names it (in SaveBitmap256's signature,
#                             nowhere else)
#   platform/ui/              the toolkit: platform/ and itself
#   platform/                 itself only
#
# platform/ (with the toolkit) is also plain ASCII, without \u escapes: it holds none of the
# program's texts, which are Japanese, and takes every text it shows from its callers.
file(GLOB_RECURSE sources RELATIVE ${SRC} ${SRC}/*.h ${SRC}/*.cpp)
set(model "app/form1.h|app/places.h|app/maker.h|app/plan.h|app/variant.h|app/fonts.h")
set(features "presets|logo|apply|backup|tweaks|windows|rollout")
set(faults "")
foreach(file ${sources})
  file(STRINGS ${SRC}/${file} lines REGEX "^#include \"")
  get_filename_component(dir ${file} DIRECTORY)
  if(file MATCHES "^presets/(store|names)\\.|^backup/(copies|safety|regfile)\\.")
    set(allowed "^(platform/[^/]+|app/(places|maker)\\.h|presets/(store|names)\\.h|backup/(copies|safety|regfile)\\.h)$")
  elseif(file MATCHES "^logo/savebitmap\\.h")
    set(allowed "^platform/[^/]+$")
  elseif(file MATCHES "^logo/savebitmap\\.cpp")
    set(allowed "^(platform/[^/]+|platform/ui/picturebox\\.h|logo/savebitmap\\.h)$")
  elseif(dir STREQUAL "platform")
    set(allowed "^platform/[^/]+$")
  elseif(dir STREQUAL "platform/ui")
    set(allowed "^platform/")
  elseif(dir MATCHES "^(${features})$")
    set(allowed "^(platform/|${model}$|(${features})/)")
  else()
    set(allowed ".")
  endif()
  foreach(line ${lines})
    string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" target "${line}")
    if(NOT target MATCHES "${allowed}")
      list(APPEND faults "${file} includes ${target}")
    elseif((dir STREQUAL "apply" AND target MATCHES "^backup/") OR (dir STREQUAL "backup" AND target MATCHES "^apply/"))
      list(APPEND faults "${file} includes ${target}")
    endif()
  endforeach()
  if(file MATCHES "^platform/")
    file(STRINGS ${SRC}/${file} texts ENCODING UTF-8 REGEX "[^\t -~]|\\\\[uU][0-9a-fA-F][0-9a-fA-F][0-9a-fA-F][0-9a-fA-F]")
    if(texts)
      list(GET texts 0 first)
      string(REGEX REPLACE "\\\\?;.*$" "" first "${first}")
      string(STRIP "${first}" first)
      list(APPEND faults "${file} holds a text beyond ASCII, which belongs to the program: ${first}")
    endif()
  endif()
  if(file MATCHES "^logo/savebitmap\\.")
    file(STRINGS ${SRC}/${file} named REGEX "PictureBoxWindow")
    foreach(line ${named})
      if(NOT line MATCHES "^class PictureBoxWindow;$|SaveBitmap256\\(const ui::PictureBoxWindow& ")
        string(STRIP "${line}" line)
        list(APPEND faults "${file} takes a picture box outside CSaveBitmap's entry: ${line}")
      endif()
    endforeach()
  endif()
endforeach()
if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "What breaks the layering:\n  ${text}")
endif()
list(LENGTH sources n)
message(STATUS "${n} files checked")
