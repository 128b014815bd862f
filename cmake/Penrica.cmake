# Shared helpers for the project's targets.

# A core library: plain C++, no Qt. Its sources include each other from the repository root.
function(penrica_core_library name)
    add_library(${name} STATIC ${ARGN})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# A Qt library: the window behaviour of a subsystem. Precompiled Qt headers keep rebuilds cheap.
function(penrica_qt_library name)
    add_library(${name} STATIC ${ARGN})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC Qt6::Widgets)
    target_precompile_headers(${name} REUSE_FROM penrica_pch)
endfunction()

# One test executable per test file, registered with CTest.
function(penrica_test name)
    # SYSTEM_FONTS: the test lists the installed fonts, which Windows gives only on its own
    # platform (under Wine on the test's virtual display), not offscreen.
    cmake_parse_arguments(T "QT;SYSTEM_FONTS" "" "SOURCES;LIBS" ${ARGN})
    if(T_QT AND PENRICA_CORE_ONLY)
        return()
    endif()
    if(T_QT)
        # Widget tests need a QApplication before the first test: they bring their own main.
        # They get the test doubles of the services too.
        add_executable(${name} ${T_SOURCES} ${PROJECT_SOURCE_DIR}/tests/QtTestMain.cpp)
        target_link_libraries(${name} PRIVATE ${T_LIBS} penrica_test_support Qt6::Test GTest::gtest)
        if(WIN32)
            # A static Qt links only the windows platform; the tests run offscreen.
            qt_import_plugins(${name} INCLUDE Qt6::QOffscreenIntegrationPlugin)
        endif()
    else()
        add_executable(${name} ${T_SOURCES})
        target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
    endif()
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    # Parameterised cases carry their own readable names (tests/CaseName.h); CTest lists them as
    # they are, without the printed parameter.
    if(T_QT)
        target_precompile_headers(${name} REUSE_FROM penrica_pch)
        set(platform offscreen)
        if(WIN32 AND T_SYSTEM_FONTS)
            set(platform windows)
        endif()
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST NO_PRETTY_VALUES
            PROPERTIES ENVIRONMENT "PENRICA_TEST_PLATFORM=${platform}" LABELS "widgets")
    else()
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST NO_PRETTY_VALUES
            PROPERTIES LABELS "core")
        set_property(GLOBAL APPEND PROPERTY PENRICA_CORE_TESTS ${name})
    endif()
endfunction()

# The Windows executables carry an icon and the version that Explorer shows.
function(penrica_windows_resources target description)
    if(WIN32)
        set(NAME ${target})
        set(DESCRIPTION ${description})
        set(ICON ${PROJECT_SOURCE_DIR}/app/penrica.ico)
        configure_file(${PROJECT_SOURCE_DIR}/app/penrica.rc.in ${target}.rc @ONLY)
        target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    endif()
endfunction()
