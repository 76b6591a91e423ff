#pragma once

#include "DocumentWindow.h"
#include "TestDocumentHost.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <ostream>

class ExchClass;

QStringList strings(std::initializer_list<const char *> texts);
void PrintTo(const QStringList &texts, std::ostream *os);
class QGroupBox;
class QTreeWidgetItem;

// A shown document window on the sample configuration, in its own slot of
// the host's table.
class DocumentFixture : public ::testing::Test
{
protected:
    void SetUp() override;

    ExchClass &config() { return host.configuration(exNum); }
    // The node with the key, once every branch is open.
    QTreeWidgetItem *node(const QString &key) const;
    // Every key in the tree, depth first.
    QStringList keys() const;
    QStringList childKeys(const QString &key) const;
    // A mouse click on the node, as the engineer makes it.
    void click(const QString &key);
    // Clicks the node, whose panel is then on show.
    void open(const QString &key);
    QGroupBox *frame(const char *name) const;

    TestDocumentHost host;
    int exNum = 0;
    std::unique_ptr<DocumentWindow> window;
};
