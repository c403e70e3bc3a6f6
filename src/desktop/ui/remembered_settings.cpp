#include "desktop/ui/remembered_settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QSettings>
#include <QWidget>
#include <memory>

namespace norvane {

namespace {

const QString kLastFolderKey = QStringLiteral("files/lastFolder");

std::unique_ptr<QSettings>& store()
{
    static std::unique_ptr<QSettings> settings;
    return settings;
}

// A value of the kind asked for; anything else (an edited or broken file) is as good as none.
template <class Value> std::optional<Value> remembered(const QString& key)
{
    if (!store())
        return std::nullopt;
    const QVariant value = store()->value(key);
    if (value.typeId() != QMetaType::fromType<Value>().id())
        return std::nullopt;
    return value.value<Value>();
}

void rememberValue(const QString& key, const QVariant& value)
{
    if (!store())
        return;
    store()->setValue(key, value);
    store()->sync();
}

// Keeps one window's size and place: read back when it is installed, written when the window
// hides and when the program ends (windows still open then are never hidden).
class GeometryKeeper : public QObject {
public:
    GeometryKeeper(QWidget& window, const QString& key) : QObject(&window), window_(window), key_(key)
    {
        if (const auto geometry = remembered<QByteArray>(key_))
            restored_ = window_.restoreGeometry(*geometry);
        window_.installEventFilter(this);
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, [this] { keep(); });
    }

    bool restored() const { return restored_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &window_ && event->type() == QEvent::Show)
            shown_ = true;
        if (watched == &window_ && event->type() == QEvent::Hide)
            keep();
        return false;
    }

private:
    // A window that was never shown has no place of its own to remember.
    void keep()
    {
        if (shown_)
            rememberValue(key_, window_.saveGeometry());
    }

    QWidget& window_;
    QString key_;
    bool restored_ = false;
    bool shown_ = false;
};

} // namespace

void rememberSettings(std::ostream& err, const QString& file)
{
    auto settings = file.isEmpty()
                        ? std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                      QStringLiteral("Norvane"), QStringLiteral("Norvane"))
                        : std::make_unique<QSettings>(file, QSettings::IniFormat);
    // The file is read now, so that a broken one shows in the status before any value is used.
    settings->sync();
    if (settings->status() != QSettings::NoError) {
        err << "norvane: cannot read the settings in " << settings->fileName().toStdString()
            << "; starting without them\n";
        settings->clear();
    }
    store() = std::move(settings);
}

void forgetSettings()
{
    store().reset();
}

bool rememberingSettings()
{
    return store() != nullptr;
}

QString settingsFile()
{
    return store() ? store()->fileName() : QString();
}

std::optional<QString> rememberedText(const QString& key)
{
    return remembered<QString>(key);
}

void rememberText(const QString& key, const QString& value)
{
    rememberValue(key, value);
}

QString lastFolder()
{
    const QString folder = rememberedText(kLastFolderKey).value_or(QString());
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void rememberFolder(const QString& folder)
{
    rememberValue(kLastFolderKey, QDir(folder).absolutePath());
}

bool rememberGeometry(QWidget& window, const QString& key)
{
    return (new GeometryKeeper(window, key))->restored();
}

} // namespace norvane
