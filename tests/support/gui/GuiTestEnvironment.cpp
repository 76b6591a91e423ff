#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

// One QApplication for the whole program, made before the first test and
// on the offscreen platform, so the widget tests need no display. The
// program's data (the history of transfers) goes to a folder of this run's own.
class GuiTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("XDG_DATA_HOME", m_dataHome.path().toLocal8Bit());
        m_application = std::make_unique<QApplication>(m_argc, m_argv);
    }

    void TearDown() override { m_application.reset(); }

private:
    char m_name[16] = "gui_tests";
    char *m_argv[2] = {m_name, nullptr};
    int m_argc = 1;
    QTemporaryDir m_dataHome;
    std::unique_ptr<QApplication> m_application;
};

const ::testing::Environment *const environment = ::testing::AddGlobalTestEnvironment(new GuiTestEnvironment);

} // namespace
