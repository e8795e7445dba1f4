#include "toolkit/application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // The application must outlive every test and die before exit().
    toolkit::Application application(argc, argv);
    return RUN_ALL_TESTS();
}
