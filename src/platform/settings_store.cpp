#include "platform/settings_store.h"

#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdlib>
#include <mutex>
#include <utility>

#include "core/replaceable_file.h"

namespace quexa::platform {
namespace {

QString ToQt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The entry of names equal to wanted, exact spelling first, then any letter case.
std::optional<QString> FindName(const QStringList& names, const QString& wanted) {
    if (names.contains(wanted)) {
        return wanted;
    }
    for (const QString& name : names) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0) {
            return name;
        }
    }
    return std::nullopt;
}

QString Join(const QString& group, const QString& name) {
    return group.isEmpty() ? name : group + '/' + name;
}

QStringList ChildGroups(QSettings& settings, const QString& group) {
    settings.beginGroup(group);
    QStringList groups = settings.childGroups();
    settings.endGroup();
    return groups;
}

QStringList ChildKeys(QSettings& settings, const QString& group) {
    settings.beginGroup(group);
    QStringList keys = settings.childKeys();
    settings.endGroup();
    return keys;
}

// Where QSettings keeps the user's default settings.
std::string DefaultFile() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return (folder + '/' + ToQt(SettingsStore::kOrganisation) + '/' +
            ToQt(SettingsStore::kApplication) + ".conf")
        .toStdString();
}

}  // namespace

struct SettingsStore::Impl {
    std::string file;
    mutable std::mutex mutex;
    // Set when the file is no regular file: then it is never opened, reads give the defaults
    // and writes are refused. Reading a FIFO would block, and saving would put a regular file
    // in the place of the device node or FIFO.
    std::optional<std::string> refusal;
    std::unique_ptr<QSettings> settings;
    void Open() {
        if (refusal) {
            return;
        }
        if (file.empty()) {
            settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                   ToQt(kOrganisation), ToQt(kApplication));
        } else {
            settings = std::make_unique<QSettings>(ToQt(file), QSettings::IniFormat);
        }
    }

    // Picks up changes another process saved since the last look.
    void Refresh() const { settings->sync(); }

    // The group path of a section in the file's spelling; parts not stored yet keep the
    // spelling given. Nothing for an empty section.
    std::optional<QString> Group(std::string_view section) const {
        const std::string normalised = core::Profile::NormaliseSection(section);
        if (normalised.empty()) {
            return std::nullopt;
        }
        QString group;
        bool stored = true;
        for (const QString& part : ToQt(normalised).split('\\')) {
            const auto found =
                stored ? FindName(ChildGroups(*settings, group), part) : std::nullopt;
            stored = found.has_value();
            group = Join(group, found.value_or(part));
        }
        return group;
    }

    std::optional<QString> KeyPath(std::string_view section, std::string_view key) const {
        const auto group = Group(section);
        if (!group || !core::Profile::IsValidKey(key)) {
            return std::nullopt;
        }
        const QString name = ToQt(key);
        return Join(*group, FindName(ChildKeys(*settings, *group), name).value_or(name));
    }

    std::optional<QString> ReadText(std::string_view section, std::string_view key) const {
        if (!settings) {
            return std::nullopt;
        }
        Refresh();
        const auto path = KeyPath(section, key);
        if (!path || !settings->contains(*path)) {
            return std::nullopt;
        }
        const QVariant value = settings->value(*path);
        if (value.typeId() != QMetaType::QString) {
            return std::nullopt;  // a list or a binary value: not ours
        }
        return value.toString();
    }

    // What a change is about to replace, so that a change that cannot be saved is taken
    // back in memory too and the next read sees what the file holds.
    using Values = std::vector<std::pair<QString, QVariant>>;

    Values ValueAt(const QString& path) const {
        if (!settings->contains(path)) {
            return {};
        }
        return {{path, settings->value(path)}};
    }

    Values ValuesBelow(const QString& group) const {
        Values values;
        settings->beginGroup(group);
        for (const QString& key : settings->allKeys()) {
            values.emplace_back(Join(group, key), settings->value(key));
        }
        settings->endGroup();
        return values;
    }

    bool Save(const QString& changed, const Values& before) {
        settings->sync();
        if (settings->status() == QSettings::NoError) {
            return true;
        }
        RemoveValueOnly(changed);
        for (const auto& [key, value] : before) {
            settings->setValue(key, value);
        }
        Open();  // QSettings keeps reporting its first error
        return false;
    }

    // A file QSettings could not parse is never overwritten with the little it understood.
    bool Writable() const {
        return settings->status() == QSettings::NoError && settings->isWritable();
    }

    // QSettings removes the groups below a key along with it; a value and a section of the
    // same name are separate things here, so the section's values are put back.
    void RemoveValueOnly(const QString& path) {
        const Values kept = ValuesBelow(path);
        settings->remove(path);
        for (const auto& [key, value] : kept) {
            settings->setValue(key, value);
        }
    }
};

SettingsStore::SettingsStore(std::string file) : impl_(std::make_unique<Impl>()) {
    impl_->file = std::move(file);
    if (auto refusal = core::WhyNotReplaceable(impl_->file.empty() ? DefaultFile() : impl_->file)) {
        impl_->refusal = "The settings file " + *refusal;
    }
    impl_->Open();
}

std::optional<std::string> SettingsStore::Refusal() const {
    return impl_->refusal;
}

SettingsStore::~SettingsStore() = default;

std::string SettingsStore::ChooseFile(std::string_view commandLineFile) {
    if (!commandLineFile.empty()) {
        return std::string(commandLineFile);
    }
    const char* fromEnvironment = std::getenv("QUEXA_SETTINGS");
    return fromEnvironment == nullptr ? std::string() : std::string(fromEnvironment);
}

std::int32_t SettingsStore::GetInt(std::string_view section, std::string_view key,
                                   std::int32_t defaultValue) const {
    const std::lock_guard lock(impl_->mutex);
    const auto text = impl_->ReadText(section, key);
    if (!text) {
        return defaultValue;
    }
    return ParseInt(text->toStdString()).value_or(defaultValue);
}

std::string SettingsStore::GetString(std::string_view section, std::string_view key,
                                     std::string_view defaultValue) const {
    const std::lock_guard lock(impl_->mutex);
    const auto text = impl_->ReadText(section, key);
    return text ? text->toStdString() : std::string(defaultValue);
}

bool SettingsStore::WriteInt(std::string_view section, std::string_view key, std::int32_t value) {
    return WriteString(section, key, std::to_string(value));
}

bool SettingsStore::WriteString(std::string_view section, std::optional<std::string_view> key,
                                std::optional<std::string_view> value) {
    const std::lock_guard lock(impl_->mutex);
    if (!impl_->settings) {
        return false;
    }
    impl_->Refresh();
    if (!impl_->Writable()) {
        return false;
    }
    if (!key) {
        const auto group = impl_->Group(section);
        if (!group) {
            return false;
        }
        Impl::Values before = impl_->ValuesBelow(*group);
        const Impl::Values sameNamedValue = impl_->ValueAt(*group);
        before.insert(before.end(), sameNamedValue.begin(), sameNamedValue.end());
        impl_->settings->remove(*group);
        for (const auto& [path, kept] : sameNamedValue) {
            impl_->settings->setValue(path, kept);
        }
        return impl_->Save(*group, before);
    }
    const auto path = impl_->KeyPath(section, *key);
    if (!path) {
        return false;
    }
    const Impl::Values before = impl_->ValueAt(*path);
    if (value) {
        impl_->settings->setValue(*path, ToQt(*value));
    } else {
        impl_->RemoveValueOnly(*path);
    }
    return impl_->Save(*path, before);
}

std::vector<std::string> SettingsStore::KeysOf(std::string_view section) const {
    const std::lock_guard lock(impl_->mutex);
    std::vector<std::string> keys;
    if (!impl_->settings) {
        return keys;
    }
    impl_->Refresh();
    if (const auto group = impl_->Group(section)) {
        for (const QString& key : ChildKeys(*impl_->settings, *group)) {
            keys.push_back(key.toStdString());
        }
    }
    return keys;
}

std::string SettingsStore::fileName() const {
    const std::lock_guard lock(impl_->mutex);
    if (!impl_->settings) {
        return impl_->file.empty() ? DefaultFile() : impl_->file;
    }
    return impl_->settings->fileName().toStdString();
}

}  // namespace quexa::platform
