# The Windows half of the project: Win32 layers, the program, the RAS stand-in, Windows tests.
enable_language(RC)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)

tollward_layer(tollward_win app/*.cpp ui/framework/*.cpp ui/dialogs/*.cpp ui/controls/*.cpp)
set(TOLLWARD_WIN_LIBS comctl32 gdi32 user32 shell32 advapi32 comdlg32)
if(TARGET tollward_win)
  target_link_libraries(tollward_win PUBLIC tollward_portable ${TOLLWARD_WIN_LIBS})
endif()

set(TOLLWARD_RC ${CMAKE_SOURCE_DIR}/res/Tollward.rc)

if(EXISTS ${CMAKE_SOURCE_DIR}/app/WinMain.cpp)
  add_executable(Tollward WIN32 app/WinMain.cpp ${TOLLWARD_RC})
  target_compile_options(Tollward PRIVATE ${TOLLWARD_WARNINGS})
  target_link_libraries(Tollward PRIVATE tollward_win)
  # The help pages go beside the program, where it looks for them.
  add_custom_command(TARGET Tollward POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/docs/help
            $<TARGET_FILE_DIR:Tollward>/help)
endif()

# Windows tests are console programs so that their output reaches the pipe under Wine.
file(GLOB TOLLWARD_WIN_TESTS CONFIGURE_DEPENDS tests/win/*.cpp)
if(TOLLWARD_WIN_TESTS)
  file(GLOB TOLLWARD_TEST_FAKES CONFIGURE_DEPENDS tests/fakes/*.cpp)
  set(win_test_sources ${TOLLWARD_WIN_TESTS} ${TOLLWARD_TEST_FAKES})
  if(EXISTS ${TOLLWARD_RC})
    list(APPEND win_test_sources ${TOLLWARD_RC})
  endif()
  add_executable(tollward_wintests ${win_test_sources})
  target_include_directories(tollward_wintests PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(tollward_wintests PRIVATE ${TOLLWARD_WARNINGS})
  if(TARGET tollward_win)
    target_link_libraries(tollward_wintests PRIVATE tollward_win)
  endif()
  # version: the package test reads the packaged program's version resource. rasapi32: the
  # stand-in's own tests call it directly, as any program of the system could.
  target_link_libraries(tollward_wintests PRIVATE tollward_portable GTest::gmock version rasapi32
                        ${TOLLWARD_WIN_LIBS})
  # Some tests start the real program beside them.
  if(TARGET Tollward)
    add_dependencies(tollward_wintests Tollward)
  endif()

  # A library of RASAPI32's name that a test drops beside a copy of the program; in a folder of
  # its own, so that it lies beside no program of the build.
  add_library(planted_rasapi32 SHARED tests/win/planted/PlantedRasApi.cpp
                                      tests/win/planted/rasapi32.def)
  set_target_properties(planted_rasapi32 PROPERTIES OUTPUT_NAME rasapi32 PREFIX ""
                        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/planted
                        ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/planted)
  target_include_directories(planted_rasapi32 PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(planted_rasapi32 PRIVATE ${TOLLWARD_WARNINGS})
  add_dependencies(tollward_wintests planted_rasapi32)
endif()

if(EXISTS ${CMAKE_SOURCE_DIR}/tools/rasemu/CMakeLists.txt)
  add_subdirectory(tools/rasemu)
endif()

# How soon the monitor of the real program answers a changed phonebook file (scripts/detection).
add_executable(tollward_detection_bench bench/win/DetectionLatency.cpp)
target_include_directories(tollward_detection_bench PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(tollward_detection_bench PRIVATE ${TOLLWARD_WARNINGS})
target_link_libraries(tollward_detection_bench PRIVATE tollward_portable)
