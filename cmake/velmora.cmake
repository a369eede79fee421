# One static library per source folder, made of every .cpp in it and in the
# rooms named after ROOMS (sub-folders that sort a large module's files by job
# without making modules of them). A folder that holds no code yet becomes an
# interface library, so the dependency graph stays whole.
#
# Every module's folder is recorded in the global property VELMORA_ORDNER:
# the program's folders, as the house's size test reads them.
function(velmora_module name)
  cmake_parse_arguments(VM "" "" "ROOMS;DEPS" ${ARGN})
  set_property(GLOBAL APPEND PROPERTY VELMORA_ORDNER ${name})
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${name}/*.cpp ${CMAKE_SOURCE_DIR}/${name}/*.c)
  foreach(r ${VM_ROOMS})
    file(GLOB _raum CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${name}/${r}/*.cpp ${CMAKE_SOURCE_DIR}/${name}/${r}/*.c)
    if(NOT _raum)
      message(FATAL_ERROR "velmora_module(${name}): room ${r} holds no code")
    endif()
    list(APPEND _src ${_raum})
  endforeach()
  set(_deps)
  foreach(d ${VM_DEPS})
    if(TARGET velmora_${d})
      list(APPEND _deps velmora_${d})
    else()
      list(APPEND _deps ${d})
    endif()
  endforeach()
  if(_src)
    add_library(velmora_${name} STATIC ${_src})
    target_link_libraries(velmora_${name} PUBLIC ${_deps})
  else()
    add_library(velmora_${name} INTERFACE)
    target_link_libraries(velmora_${name} INTERFACE ${_deps})
  endif()
endfunction()

# One test program per test folder, made of every *_test.cpp in it.
function(velmora_tests folder)
  cmake_parse_arguments(VT "" "" "DEPS" ${ARGN})
  file(GLOB _fuzz CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*_fuzz.cpp)
  foreach(f ${_fuzz})
    get_filename_component(_n ${f} NAME_WE)
    velmora_fuzz(${_n} ${f} DEPS velmora_${folder} ${VT_DEPS})
  endforeach()
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*_test.cpp)
  if(NOT _src)
    return()
  endif()
  add_executable(test_${folder} ${_src})
  target_link_libraries(test_${folder} PRIVATE velmora_${folder} ${VT_DEPS} GTest::gtest GTest::gtest_main Threads::Threads)
  target_include_directories(test_${folder} PRIVATE ${CMAKE_SOURCE_DIR})
  # The folder's reference data, also when the program runs without CTest.
  target_compile_definitions(test_${folder} PRIVATE VELMORA_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/${folder}/data")
  gtest_discover_tests(test_${folder} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "VELMORA_TEST_DATA=${CMAKE_CURRENT_SOURCE_DIR}/${folder}/data")
endfunction()

# A libFuzzer target; with VELMORA_FUZZ it also becomes a short CTest run over
# its seeds (VELMORA_FUZZ_SAAT/<name>, written at build time by fuzz_saat) and
# the corpus it grows in its own directory.
set(VELMORA_FUZZ_SAAT ${CMAKE_BINARY_DIR}/fuzz_saat)
function(velmora_fuzz name source)
  cmake_parse_arguments(VF "" "" "DEPS" ${ARGN})
  if(NOT VELMORA_FUZZ)
    return()
  endif()
  add_executable(fuzz_${name} ${source})
  target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(fuzz_${name} PRIVATE ${VF_DEPS})
  set(_corpus ${CMAKE_CURRENT_BINARY_DIR}/corpus_${name})
  # The run keeps the caller's sanitizer options (test.sh asks for leak
  # detection): memory an input leaves allocated fails it like any other fault.
  add_test(NAME fuzz.${name}
    COMMAND $<TARGET_FILE:fuzz_${name}> -max_total_time=15 -rss_limit_mb=1024 -timeout=10 ${_corpus}
      ${VELMORA_FUZZ_SAAT}/${name})
  set_tests_properties(fuzz.${name} PROPERTIES LABELS fuzz)
  # A target without seeds of its own still starts: its seed directory exists,
  # also after the seeds are written anew (tests/CMakeLists.txt makes them all).
  file(MAKE_DIRECTORY ${_corpus} ${VELMORA_FUZZ_SAAT}/${name})
  set_property(GLOBAL APPEND PROPERTY VELMORA_FUZZ_ZIELE ${VELMORA_FUZZ_SAAT}/${name})
endfunction()
