# The platform-free part of the tools' shared window support: the UI language rule, the
# string-block walk and the dialog layout arithmetic. No platform headers, so it builds for
# every preset and its unit tests run natively.
include_guard(GLOBAL)

add_library(commoncore STATIC
  ${CMAKE_CURRENT_LIST_DIR}/UiLanguage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StringBlock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DialogLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ConfigureLayout.cpp
)
target_include_directories(commoncore PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_compile_features(commoncore PUBLIC cxx_std_20)
