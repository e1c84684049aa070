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
