#include "designer/update/answer_download.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <memory>

#include "platform/encoding.h"

namespace stagora::designer {
namespace {

QUrl ToUrl(const std::string& address) {
  return QUrl(QString::fromStdU16String(plat::Cp1252ToUtf16(address)), QUrl::StrictMode);
}

bool IsWebUrl(const QUrl& url) {
  const QString scheme = url.scheme().toLower();
  return url.isValid() && (scheme == "http" || scheme == "https") && !url.host().isEmpty();
}

// One manager for the run, owned by the application and found there by its name: it goes,
// with any reply still waiting, when the application goes. Its replies are its children.
constexpr const char* kManagerName = "UpdateDownloads";

QNetworkAccessManager* FindManager() {
  const QCoreApplication* app = QCoreApplication::instance();
  return app ? app->findChild<QNetworkAccessManager*>(kManagerName, Qt::FindDirectChildrenOnly) : nullptr;
}

QNetworkAccessManager& Manager() {
  if (QNetworkAccessManager* manager = FindManager()) return *manager;
  auto* manager = new QNetworkAccessManager(QCoreApplication::instance());
  manager->setObjectName(kManagerName);
  return *manager;
}

}  // namespace

bool IsWebAddress(const std::string& address) { return IsWebUrl(ToUrl(address)); }

bool DownloadRunning() {
  const QNetworkAccessManager* manager = FindManager();
  if (!manager) return false;
  const auto replies = manager->findChildren<QNetworkReply*>(Qt::FindDirectChildrenOnly);
  return std::any_of(replies.begin(), replies.end(), [](const QNetworkReply* reply) { return reply->isRunning(); });
}

bool DownloadAnswer(const std::string& address, std::function<void(const DownloadResult&)> done, int timeoutMs) {
  const QUrl url = ToUrl(address);
  if (DownloadRunning() || !IsWebUrl(url)) return false;

  QNetworkRequest request(url);
  request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
  QNetworkReply* reply = Manager().get(request);

  // Everything below belongs to the reply and goes with it.
  auto cutShort = std::make_shared<bool>(false);
  auto* deadline = new QTimer(reply);
  deadline->setSingleShot(true);
  // The service gets its whole time: a coarse timer may end the wait up to 5 % early.
  deadline->setTimerType(Qt::PreciseTimer);
  QObject::connect(deadline, &QTimer::timeout, reply, [reply, cutShort] {
    *cutShort = true;
    reply->abort();
  });
  QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [reply, cutShort](qint64 received, qint64) {
    if (received > kMaxAnswerBytes) {
      *cutShort = true;
      reply->abort();
    }
  });
  QObject::connect(reply, &QNetworkReply::finished, reply, [reply, cutShort, deadline, done = std::move(done)] {
    if (QCoreApplication::closingDown()) return;
    deadline->stop();
    DownloadResult result;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (!*cutShort && reply->error() == QNetworkReply::NoError && status >= 200 && status < 300) {
      const QByteArray body = reply->readAll();
      if (body.size() <= kMaxAnswerBytes) {
        result.ok = true;
        result.bytes.assign(body.constData(), static_cast<std::size_t>(body.size()));
      }
    }
    reply->deleteLater();
    // Disconnected first: an answer is handed over once, whatever the reply does after.
    const auto handOver = done;
    QObject::disconnect(reply, nullptr, reply, nullptr);
    if (handOver) handOver(result);
  });
  deadline->start(timeoutMs);
  return true;
}

}  // namespace stagora::designer
