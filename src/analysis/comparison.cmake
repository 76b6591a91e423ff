# Field values as the listings show them.
add_library(qb_comparison STATIC
    ${CMAKE_CURRENT_LIST_DIR}/ByteText.cpp ${CMAKE_CURRENT_LIST_DIR}/ByteText.h
    ${CMAKE_CURRENT_LIST_DIR}/FieldReader.cpp ${CMAKE_CURRENT_LIST_DIR}/FieldReader.h
    ${CMAKE_CURRENT_LIST_DIR}/FieldValue.cpp ${CMAKE_CURRENT_LIST_DIR}/FieldValue.h
)
target_include_directories(qb_comparison PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(qb_comparison PUBLIC qb_options qb_model Qt6::Core)
