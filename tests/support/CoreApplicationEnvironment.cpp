#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {
// gtest_main makes no application object; socket notifiers and event loops
// need one before the first simulator endpoint is opened.
class ApplicationEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        if (!QCoreApplication::instance())
            m_application = std::make_unique<QCoreApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "quillbridge";
    char *m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QCoreApplication> m_application;
};

[[maybe_unused]] ::testing::Environment *const environment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);
} // namespace
