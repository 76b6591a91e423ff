qb_add_test(comparison_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ConfigurationComparisonTest.cpp
    LIBS qb_comparison qb_sample)
