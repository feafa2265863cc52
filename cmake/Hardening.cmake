# Builds that hunt for faults: VT_SANITIZE instruments everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, VT_FUZZ does the same for the libFuzzer targets of fuzz/ (clang
# only). A report stops the program, so a test or fuzz run with one fails. Library assertions
# catch an index past the end of a std::array that lies inside a larger object, where
# AddressSanitizer sees nothing wrong.
option(VT_SANITIZE "Instrument with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(VT_FUZZ "Build the libFuzzer targets of fuzz/ (needs clang)" OFF)
if(VT_SANITIZE OR VT_FUZZ)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
                      -D_GLIBCXX_ASSERTIONS)
  add_link_options(-fsanitize=address,undefined)
endif()
if(VT_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
