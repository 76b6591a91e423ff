#include "DocumentFixture.h"

#include "ExchClass.h"
#include "SampleConfiguration.h"
#include "TreeSearch.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QTest>
#include <QTreeWidget>

namespace {
constexpr int WindowWidth = 800;
constexpr int WindowHeight = 600;

void collectKeys(const QTreeWidgetItem *item, QStringList &keys)
{
    keys.append(item->data(0, Qt::UserRole).toString());
    for (int i = 0; i < item->childCount(); ++i)
        collectKeys(item->child(i), keys);
}
} // namespace

void PrintTo(const QStringList &texts, std::ostream *os)
{
    *os << '{' << texts.join(QStringLiteral(", ")).toStdString() << '}';
}

QStringList strings(std::initializer_list<const char *> texts)
{
    QStringList result;
    for (const char *text : texts)
        result.append(QLatin1String(text));
    return result;
}

void DocumentFixture::SetUp()
{
    ASSERT_TRUE(host.directory.isValid());
    exNum = host.table.NewSlot();
    SampleConfiguration::build(config());
    window = std::make_unique<DocumentWindow>(host);
    window->setExNum(exNum);
    window->setCaption(QStringLiteral("Document 1"));
    window->GetConfiguration();
    window->resize(WindowWidth, WindowHeight);
    window->show();
}

QTreeWidgetItem *DocumentFixture::node(const QString &key) const
{
    return findTreeNode(window->tree(), key);
}

QStringList DocumentFixture::keys() const
{
    QStringList result;
    QTreeWidget *tree = window->tree();
    openBranches(tree);
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        collectKeys(tree->topLevelItem(i), result);
    return result;
}

QStringList DocumentFixture::childKeys(const QString &key) const
{
    QStringList result;
    if (const QTreeWidgetItem *parent = node(key)) {
        for (int i = 0; i < parent->childCount(); ++i)
            result.append(parent->child(i)->data(0, Qt::UserRole).toString());
    }
    return result;
}

void DocumentFixture::click(const QString &key)
{
    QTreeWidgetItem *item = node(key);
    ASSERT_NE(item, nullptr) << key.toStdString();
    QTreeWidget *tree = window->tree();
    tree->scrollToItem(item);
    // The view lays out expanded branches on its next pass through the event loop.
    QCoreApplication::processEvents();
    ASSERT_FALSE(tree->visualItemRect(item).isEmpty()) << key.toStdString();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, tree->visualItemRect(item).center());
}

void DocumentFixture::open(const QString &key)
{
    click(key);
    const QTreeWidgetItem *current = window->tree()->currentItem();
    ASSERT_TRUE(current && current->data(0, Qt::UserRole).toString() == key) << key.toStdString();
}

QGroupBox *DocumentFixture::frame(const char *name) const
{
    return window->findChild<QGroupBox *>(QLatin1String(name));
}
