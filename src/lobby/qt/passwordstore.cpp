// SPDX-License-Identifier: GPL-3.0-or-later
#include "lobby/qt/passwordstore.h"

#include <qt6keychain/keychain.h>

namespace lobby {

namespace {
const QString kService = QStringLiteral("bramblies-lobby");
} // namespace

void KeychainPasswordStore::read(const QString& key,
                                 std::function<void(std::optional<QString>)> done) {
    auto* job = new QKeychain::ReadPasswordJob(kService);
    job->setKey(key);
    QObject::connect(job, &QKeychain::Job::finished, job,
                     [done = std::move(done)](QKeychain::Job* finished) {
                         auto* read = static_cast<QKeychain::ReadPasswordJob*>(finished);
                         if (read->error() == QKeychain::NoError)
                             done(read->textData());
                         else
                             done(std::nullopt);
                     });
    job->start(); // the job deletes itself once finished
}

void KeychainPasswordStore::write(const QString& key, const QString& password,
                                  std::function<void(bool)> done) {
    auto* job = new QKeychain::WritePasswordJob(kService);
    job->setKey(key);
    job->setTextData(password);
    QObject::connect(job, &QKeychain::Job::finished, job,
                     [done = std::move(done)](QKeychain::Job* finished) {
                         done(finished->error() == QKeychain::NoError);
                     });
    job->start();
}

} // namespace lobby
