# Field values as the listings show them, and the comparison of two
# configurations structure by structure, record by record, field by field.
add_library(qb_comparison STATIC
    ${CMAKE_CURRENT_LIST_DIR}/ByteText.cpp ${CMAKE_CURRENT_LIST_DIR}/ByteText.h
    ${CMAKE_CURRENT_LIST_DIR}/ConfigurationChange.cpp ${CMAKE_CURRENT_LIST_DIR}/ConfigurationChange.h
    ${CMAKE_CURRENT_LIST_DIR}/ConfigurationComparison.cpp ${CMAKE_CURRENT_LIST_DIR}/ConfigurationComparison.h
    ${CMAKE_CURRENT_LIST_DIR}/FieldValueReader.cpp ${CMAKE_CURRENT_LIST_DIR}/FieldValueReader.h
    ${CMAKE_CURRENT_LIST_DIR}/FieldValue.cpp ${CMAKE_CURRENT_LIST_DIR}/FieldValue.h
    ${CMAKE_CURRENT_LIST_DIR}/LayoutChange.h
)
target_link_libraries(qb_comparison PUBLIC qb_options Qt6::Core PRIVATE qb_model qb_core)
