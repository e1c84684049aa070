# One library per code folder, its sources found by glob so that adding a file
# needs no edit here. A folder without sources yet is an interface library.
set(QUELT_WARNINGS -Wall -Wextra)

function(quelt_library name dir)
    file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
    file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.h)
    if(sources)
        add_library(${name} STATIC ${sources} ${headers})
        target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
        target_link_libraries(${name} PUBLIC ${ARGN})
        target_compile_options(${name} PRIVATE ${QUELT_WARNINGS})
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
        target_link_libraries(${name} INTERFACE ${ARGN})
    endif()
endfunction()

# tests/<folder>/*.cpp become one GoogleTest executable <folder>_tests.
function(quelt_tests folder)
    set(lib ${folder})
    if(ARGN)
        set(lib ${ARGN})
    endif()
    file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${folder}/*.cpp)
    file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${folder}/*.h
                                        ${PROJECT_SOURCE_DIR}/tests/support/*.h)
    file(GLOB support CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/support/*.cpp)
    if(NOT sources)
        return()
    endif()
    add_executable(${folder}_tests ${sources} ${headers} ${support})
    target_link_libraries(${folder}_tests PRIVATE ${lib} GTest::gtest GTest::gtest_main)
    target_compile_options(${folder}_tests PRIVATE ${QUELT_WARNINGS})
    include(GoogleTest)
    gtest_discover_tests(${folder}_tests
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
        DISCOVERY_TIMEOUT 60)
endfunction()

# The folder's tests once more, named "checked.<test>", with every count and
# row number that a cursor carries over writes checked against a fresh count
# (QUELT_CHECK_CARRIED_COUNTS, see platform/engine/carried_count_check.h).
function(quelt_checked_tests folder)
    gtest_discover_tests(${folder}_tests
        TEST_PREFIX "checked."
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
                   ENVIRONMENT_MODIFICATION "QUELT_CHECK_CARRIED_COUNTS=set:1"
        DISCOVERY_TIMEOUT 60)
endfunction()
