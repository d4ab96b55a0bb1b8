# The distributable tree out/dist/: Install.exe beside Dictionary\, X86\, X64\ and Font\.
# Each Windows build tree lists the programs it contributes; the win32 build, which builds
# Install.exe and the 32-bit programs, assembles the tree with the 64-bit programs listed by
# the win64 build tree (tools/make-dist builds both and then the tree).
set(VANTIX_DIST_PROGRAMS ${CMAKE_BINARY_DIR}/dist-programs.txt)
file(GENERATE OUTPUT ${VANTIX_DIST_PROGRAMS} CONTENT
"$<TARGET_FILE:textservice_standin>
$<TARGET_FILE:Vantixcfg>
$<TARGET_FILE:Wordloom>
$<TARGET_FILE:vantixdict>
")

# The built-in associated-word dictionary, generated from Debian's rime-essay word list, goes
# into Dictionary\ with that list's licence beside it.
set(VANTIX_TIPS_DICTIONARY ${PROJECT_SOURCE_DIR}/Wordloom/data/vantix_tips.dic)
set(VANTIX_TIPS_LICENCE ${PROJECT_SOURCE_DIR}/Wordloom/data/COPYING.rime-essay)
set(VANTIX_FONTS_DIR /usr/share/fonts/truetype/hanazono CACHE PATH
  "Folder of HanaMinA.ttf and HanaMinB.ttf (Debian's fonts-hanazono)")

# add_install_tree(TARGET OUTPUT INSTALLER_TARGET X86_LIST X64_LIST [ALL]): a target that lays
# out an installer's source tree in OUTPUT.
function(add_install_tree target output installer x86_list x64_list)
  add_custom_target(${target} ${ARGN}
    COMMAND ${CMAKE_COMMAND}
      -DOUTPUT=${output}
      -DINSTALLER=$<TARGET_FILE:${installer}>
      -DX86_PROGRAMS=${x86_list}
      -DX64_PROGRAMS=${x64_list}
      -DDICTIONARIES=${PROJECT_SOURCE_DIR}/tests/fixtures/dictionaries
      -DTIPS_DICTIONARY=${VANTIX_TIPS_DICTIONARY}
      -DTIPS_LICENCE=${VANTIX_TIPS_LICENCE}
      -DFONTS=${VANTIX_FONTS_DIR}
      -P ${PROJECT_SOURCE_DIR}/cmake/AssembleDist.cmake
    COMMENT "Laying out ${output}"
    VERBATIM)
  add_dependencies(${target} ${installer} textservice_standin Vantixcfg Wordloom vantixdict)
endfunction()

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(VANTIX_WIN64_BUILD_DIR ${PROJECT_SOURCE_DIR}/out/build/win64 CACHE PATH
    "The win64 build tree whose programs go into X64\\ of the distributable tree")
  set(VANTIX_DIST_DIR ${PROJECT_SOURCE_DIR}/out/dist CACHE PATH "The distributable tree")
  # Built with everything else once the win64 build tree is there (the usual order of the
  # presets); before that, `cmake --build --preset win32 --target dist` after building win64.
  set(dist_in_all "")
  if(EXISTS ${VANTIX_WIN64_BUILD_DIR}/dist-programs.txt)
    set(dist_in_all ALL)
  endif()
  add_install_tree(dist ${VANTIX_DIST_DIR} Install ${VANTIX_DIST_PROGRAMS}
    ${VANTIX_WIN64_BUILD_DIR}/dist-programs.txt ${dist_in_all})
endif()
