# The Windows half of the project: Win32 layers, the program, the RAS stand-in, Windows tests.
enable_language(RC)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)

# The layers of the program's windows, from the bottom up; the program is built in app/.
add_subdirectory(ui/framework)
add_subdirectory(ui/controls)
add_subdirectory(ui/dialogs)
add_subdirectory(app)

# Windows tests are console programs so that their output reaches the pipe under Wine.
set(win_test_sources
    tests/win/AboutSplashTest.cpp
    tests/win/BadAreaCodesDlgTest.cpp
    tests/win/BadAreaCodesErrorBoxTest.cpp
    tests/win/BitmapMenuTest.cpp
    tests/win/ChangeUserPassDlgTest.cpp
    tests/win/ColorEditTest.cpp
    tests/win/ControlCenterDragMenuTest.cpp
    tests/win/ControlCenterEditingTest.cpp
    tests/win/ControlCenterEndsTest.cpp
    tests/win/ControlCenterFixture.cpp
    tests/win/ControlCenterListsTest.cpp
    tests/win/ControlCenterLongRunTest.cpp
    tests/win/ControlCenterMonitorTest.cpp
    tests/win/ControlCenterOptionsTest.cpp
    tests/win/ControlCenterReasonsTest.cpp
    tests/win/ControlCenterStartTest.cpp
    tests/win/ControlCenterTemplateTest.cpp
    tests/win/ControlCenterWindowTest.cpp
    tests/win/DialogFrameworkTest.cpp
    tests/win/FieldColors.cpp
    tests/win/FrameworkPartsTest.cpp
    tests/win/HelpPagesTest.cpp
    tests/win/HighDpiTest.cpp
    tests/win/InstallerTest.cpp
    tests/win/InteractiveOptionsTest.cpp
    tests/win/InteractiveRASConnectionsTest.cpp
    tests/win/ManipulatedConnectionDlgTest.cpp
    tests/win/ManipulationReportEndToEndTest.cpp
    tests/win/OptionsDlgTest.cpp
    tests/win/PackageTest.cpp
    tests/win/PhonebookFixture.cpp
    tests/win/PhonebookWatcherTest.cpp
    tests/win/ProgramProcess.cpp
    tests/win/RASConnectionsRasApiTest.cpp
    tests/win/RasEntryEditorTest.cpp
    tests/win/RasPhonebookTest.cpp
    tests/win/RasStandInTest.cpp
    tests/win/RegistryAutostartStoreTest.cpp
    tests/win/ResourcesTest.cpp
    tests/win/Robot.cpp
    tests/win/SingleInstanceTest.cpp
    tests/win/SystemRasTest.cpp
    tests/win/TestMain.cpp
    tests/win/UncheckedEntryEndToEndTest.cpp
    tests/win/WinApiTest.cpp
    ${TOLLWARD_TEST_FAKES} ${CMAKE_SOURCE_DIR}/res/Tollward.rc)
add_executable(tollward_wintests ${win_test_sources})
target_include_directories(tollward_wintests PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(tollward_wintests PRIVATE ${TOLLWARD_WARNINGS})
# version: the package test reads the packaged program's version resource. rasapi32: the
# stand-in's own tests call it directly, as any program of the system could.
target_link_libraries(tollward_wintests PRIVATE tollward_app tollward_portable GTest::gmock
                      version rasapi32)
# Some tests start the real program beside them.
add_dependencies(tollward_wintests Tollward)

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

add_subdirectory(tools/rasemu)

# How soon the monitor of the real program answers a changed phonebook file (scripts/detection).
add_executable(tollward_detection_bench bench/win/DetectionLatency.cpp)
target_include_directories(tollward_detection_bench PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(tollward_detection_bench PRIVATE ${TOLLWARD_WARNINGS})
target_link_libraries(tollward_detection_bench PRIVATE tollward_portable)
