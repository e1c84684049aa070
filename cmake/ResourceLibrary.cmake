# The resource library of pictures: draw_pictures paints them, rcc packs them
# into KeldDll1.rcc, which the program loads at run time from its own folder.
# A copy beside the test programs lets the window tests load it the same way.
add_executable(draw_pictures ${PROJECT_SOURCE_DIR}/resources/draw_pictures.cpp)
target_link_libraries(draw_pictures PRIVATE Qt6::Gui)

set(pictures ${CMAKE_BINARY_DIR}/pictures)
set(library_pictures ${pictures}/Back2.png ${pictures}/Back4.png)
add_custom_command(OUTPUT ${library_pictures}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:draw_pictures> ${pictures}
    DEPENDS draw_pictures
    COMMENT "Drawing the resource library's pictures")

configure_file(${PROJECT_SOURCE_DIR}/resources/KeldDll1.qrc ${pictures}/KeldDll1.qrc COPYONLY)
set(library_file ${CMAKE_BINARY_DIR}/app/KeldDll1.rcc)
add_custom_command(OUTPUT ${library_file} ${CMAKE_BINARY_DIR}/KeldDll1.rcc
    COMMAND Qt6::rcc --binary ${pictures}/KeldDll1.qrc -o ${library_file}
    COMMAND ${CMAKE_COMMAND} -E copy ${library_file} ${CMAKE_BINARY_DIR}/KeldDll1.rcc
    DEPENDS ${library_pictures} ${pictures}/KeldDll1.qrc
    COMMENT "Packing KeldDll1.rcc")
add_custom_target(resource_library ALL DEPENDS ${library_file} ${CMAKE_BINARY_DIR}/KeldDll1.rcc)
