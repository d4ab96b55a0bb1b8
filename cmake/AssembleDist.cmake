# Lays out an installer's source tree (cmake -P): the installer and, beside it,
#   Dictionary\  the eleven dictionaries      X86\  the 32-bit programs
#   Font\        HanaMinA.ttf, HanaMinB.ttf   X64\  the 64-bit programs
# -DOUTPUT=folder -DINSTALLER=Install.exe -DX86_PROGRAMS=list -DX64_PROGRAMS=list (or empty)
# -DDICTIONARIES=folder -DTIPS_DICTIONARY=file -DTIPS_LICENCE=file -DFONTS=folder
# A program list is a file with one path a line (dist-programs.txt of a Windows build tree).
# Files that did not change are left alone, so a second run copies nothing.
cmake_minimum_required(VERSION 3.25)

function(copy_into folder file)
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "AssembleDist: ${file} is missing${ARGN}")
  endif()
  get_filename_component(name "${file}" NAME)
  file(MAKE_DIRECTORY "${folder}")
  file(COPY_FILE "${file}" "${folder}/${name}" ONLY_IF_DIFFERENT)
endfunction()

function(copy_programs list subfolder)
  if(NOT EXISTS "${list}")
    message(FATAL_ERROR "AssembleDist: ${list} is missing: configure and build that preset first")
  endif()
  file(STRINGS "${list}" programs)
  foreach(program IN LISTS programs)
    copy_into("${OUTPUT}/${subfolder}" "${program}" ": build that preset first")
  endforeach()
endfunction()

set(dictionaries
  vantix_shortcodes.dic vantix_symbols.dic vantix_27489.dic vantix_ExtB.dic
  vantix_ExtCD_V2012A.dic "vantix_Ext E_V2016A.dic" vantix_ExtF.dic vantix_phrases.dic
  vantix_specialcodes.dic vantix_kana.dic)

copy_into("${OUTPUT}" "${INSTALLER}")
foreach(name IN LISTS dictionaries)
  copy_into("${OUTPUT}/Dictionary" "${DICTIONARIES}/${name}")
endforeach()
copy_into("${OUTPUT}/Dictionary" "${TIPS_DICTIONARY}")
copy_into("${OUTPUT}/Dictionary" "${TIPS_LICENCE}")
copy_programs("${X86_PROGRAMS}" X86)
if(X64_PROGRAMS)
  copy_programs("${X64_PROGRAMS}" X64)
endif()
foreach(name HanaMinA.ttf HanaMinB.ttf)
  copy_into("${OUTPUT}/Font" "${FONTS}/${name}" " (Debian's fonts-hanazono: .ci/install-deps installs it)")
endforeach()
