#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

class ExchClass;
class RecordClass;

// Sizes of the bit-set fields of a built configuration: element size in
// bytes and element count.
struct BitSetLayout
{
    int rightsSize = 1;
    int rightsItems = 8;
    int classBitsSize = 1;
    int classBitsItems = 8;
    int membersUsedSize = 1;
    int membersUsedItems = 2;
};

// Hand-built configurations for the conversion tests: plausible layouts as an
// exchange would define them, every record blank until a test fills it.
class ConfigurationBuilder
{
public:
    static constexpr int ClassRecords = 80;
    static constexpr int AclRecords = 16;
    static constexpr int PortRecords = 24;
    static constexpr int GroupRecords = 8;
    static constexpr int PhysicalPorts = 128;
    static constexpr int NumberRecords = 24;
    static constexpr int Unbound = 255;

    using Layout = BitSetLayout;

    struct User
    {
        int record;
        QByteArray name = {};
        QByteArray publicId = {};
        QByteArray passCode = {};
        int ringType = 0;
        bool noPinEntry = false;
        QList<int> classes = {};
        QList<int> rights = {};
        bool enabled = true;
    };

    struct Port
    {
        int record;
        QByteArray name = {};
        int type = 0;
        int action = 0;
        int extra = 0;
        QByteArray extraDigits = {};
        int acl = 0;
        std::optional<int> group = {};
        std::optional<int> pickup = {};
        QList<int> classes = {};
        bool enabled = true;
    };

    struct Member
    {
        int slot;
        int port;
        int quarterSeconds;
    };

    explicit ConfigurationBuilder(ExchClass &config, const Layout &layout = Layout());

    ConfigurationBuilder &systemName(const QByteArray &name);
    ConfigurationBuilder &addClass(int record, const QByteArray &name);
    ConfigurationBuilder &addUser(const User &user);
    ConfigurationBuilder &addPort(const Port &port);
    // Physical port p carries virtual port v.
    ConfigurationBuilder &bind(int p, int v);
    ConfigurationBuilder &addNumber(int record, const QByteArray &number, int v, const QByteArray &prefix = QByteArray(),
                                    bool enabled = true);
    ConfigurationBuilder &addGroup(int record, const QByteArray &name, int type, const QList<Member> &members,
                                   bool enabled = true);

private:
    ExchClass &m_config;
};
