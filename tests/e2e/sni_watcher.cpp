// A minimal StatusNotifierItem watcher and host for the end-to-end tests, on whatever
// session bus DBUS_SESSION_BUS_ADDRESS names.
//   sni_watcher watch              owns the watcher's name; prints "ready", then
//                                  "item <service>" for every item that registers
//   sni_watcher menu <service>     prints "<id><TAB><label>" for each entry of the
//                                  item's exported menu
//   sni_watcher click <service> <id>  clicks that entry, as a panel does

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>

#include <cstdio>

namespace {

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kItemPath = QStringLiteral("/StatusNotifierItem");
const QString kItemInterface = QStringLiteral("org.kde.StatusNotifierItem");
const QString kMenuInterface = QStringLiteral("com.canonical.dbusmenu");

void say(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

int failWith(const QString& what) {
    std::fprintf(stderr, "sni_watcher: %s\n", qPrintable(what));
    return 1;
}

class Watcher final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
    // This process plays the panel that shows the items as well.
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)

public:
    explicit Watcher(QObject* parent) : QDBusAbstractAdaptor(parent) {}
    QStringList items() const { return m_items; }
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }

public slots:
    void RegisterStatusNotifierItem(const QString& service) {
        m_items << service;
        say(QStringLiteral("item ") + service);
        emit StatusNotifierItemRegistered(service);
    }
    void RegisterStatusNotifierHost(const QString&) {}

signals:
    void StatusNotifierItemRegistered(const QString& service);
    void StatusNotifierItemUnregistered(const QString& service);
    void StatusNotifierHostRegistered();

private:
    QStringList m_items;
};

int watch() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    QObject root;
    new Watcher(&root);
    if (!bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &root))
        return failWith(QStringLiteral("cannot export the watcher"));
    if (!bus.registerService(kWatcherService))
        return failWith(QStringLiteral("cannot own ") + kWatcherService);
    say(QStringLiteral("ready"));
    return QCoreApplication::exec();
}

// Plain method calls, as a panel makes them (no introspection).
QDBusMessage call(const QString& service, const QString& path, const QString& interface,
                  const QString& method, const QVariantList& args) {
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(args);
    return QDBusConnection::sessionBus().call(message);
}

QString menuPath(const QString& service) {
    const QDBusMessage reply =
        call(service, kItemPath, QStringLiteral("org.freedesktop.DBus.Properties"),
             QStringLiteral("Get"), {kItemInterface, QStringLiteral("Menu")});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    const QVariant menu = reply.arguments().constFirst().value<QDBusVariant>().variant();
    return menu.value<QDBusObjectPath>().path();
}

// One layout node: (id, properties, children as variants), children first.
void readLayout(const QDBusArgument& node, QList<QPair<int, QString>>& entries) {
    int id = 0;
    QVariantMap properties;
    node.beginStructure();
    node >> id >> properties;
    node.beginArray();
    while (!node.atEnd()) {
        QDBusVariant child;
        node >> child;
        readLayout(child.variant().value<QDBusArgument>(), entries);
    }
    node.endArray();
    node.endStructure();
    if (properties.contains(QStringLiteral("label")))
        entries.append({id, properties.value(QStringLiteral("label")).toString()});
}

int menu(const QString& service) {
    const QString path = menuPath(service);
    if (path.isEmpty())
        return failWith(QStringLiteral("the item exports no menu"));
    const QDBusMessage reply =
        call(service, path, kMenuInterface, QStringLiteral("GetLayout"), {0, -1, QStringList()});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 2)
        return failWith(QStringLiteral("GetLayout failed: ") + reply.errorMessage());
    QList<QPair<int, QString>> entries;
    readLayout(reply.arguments().at(1).value<QDBusArgument>(), entries);
    for (const auto& [id, label] : entries)
        say(QString::number(id) + u'\t' + label);
    return 0;
}

int click(const QString& service, int id) {
    const QString path = menuPath(service);
    if (path.isEmpty())
        return failWith(QStringLiteral("the item exports no menu"));
    const QDBusMessage reply =
        call(service, path, kMenuInterface, QStringLiteral("Event"),
             {id, QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(0)), 0u});
    if (reply.type() != QDBusMessage::ReplyMessage)
        return failWith(QStringLiteral("Event failed: ") + reply.errorMessage());
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (!QDBusConnection::sessionBus().isConnected())
        return failWith(QStringLiteral("no session bus"));
    if (args.size() == 2 && args[1] == u"watch")
        return watch();
    if (args.size() == 3 && args[1] == u"menu")
        return menu(args[2]);
    if (args.size() == 4 && args[1] == u"click")
        return click(args[2], args[3].toInt());
    return failWith(QStringLiteral("usage: sni_watcher watch | menu SERVICE | click SERVICE ID"));
}

#include "sni_watcher.moc"
