#pragma once

#include <QString>

namespace toolkit {

// The product family's registry component: named values under keys, for the
// current user and for the machine, kept in two INI files. What the family's
// programs read from the registry of their original platform (browser settings
// among them) is simply absent unless someone writes it there.
class KavReg {
public:
    // The two hives the callers name.
    enum Root : long { CurrentUser = 0x80000001L, LocalMachine = 0x80000002L };
    // Options: a key given from the root of the hive, or a key of the product
    // family, placed under the family's own group.
    enum Option : long { FamilyKey = 0, FromHiveRoot = 530164 };

    struct Files {
        QString user;
        QString machine;
    };
    // The user's file in the user's configuration folder, the machine's in the
    // system's configuration folder.
    static Files defaultFiles();

    explicit KavReg(Files files = defaultFiles()) : files_(std::move(files)) {}

    // Stores the value; 0 when it was written, else a non-zero code.
    long SetValue(long root, const QString& key, const QString& valueName, const QString& value, long option);
    // The value, "" when it does not exist or the root is unknown.
    QString GetValue(long root, const QString& key, const QString& valueName, long option) const;

private:
    QString fileOf(long root) const;

    Files files_;
};

}  // namespace toolkit
