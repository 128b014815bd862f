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
    cmake_parse_arguments(T "QT" "" "SOURCES;LIBS" ${ARGN})
    if(T_QT AND PENRICA_CORE_ONLY)
        return()
    endif()
    if(T_QT)
        # Widget tests need a QApplication before the first test: they bring their own main.
        # They get the test doubles of the services too.
        add_executable(${name} ${T_SOURCES} ${PROJECT_SOURCE_DIR}/tests/QtTestMain.cpp)
        target_link_libraries(${name} PRIVATE ${T_LIBS} penrica_test_support Qt6::Test GTest::gmock
            GTest::gtest)
    else()
        add_executable(${name} ${T_SOURCES})
        target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
    endif()
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    # Parameterised cases carry their own readable names (tests/CaseName.h); CTest lists them as
    # they are, without the printed parameter.
    if(T_QT)
        target_precompile_headers(${name} REUSE_FROM penrica_pch)
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST NO_PRETTY_VALUES
            PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS "widgets")
    else()
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST NO_PRETTY_VALUES
            PROPERTIES LABELS "core")
        set_property(GLOBAL APPEND PROPERTY PENRICA_CORE_TESTS ${name})
    endif()
endfunction()
