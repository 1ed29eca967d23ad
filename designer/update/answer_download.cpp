#include "designer/update/answer_download.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <memory>

#include "platform/encoding.h"

namespace stagora::designer {
namespace {

bool running = false;

QUrl ToUrl(const std::string& address) {
  return QUrl(QString::fromStdU16String(plat::Cp1252ToUtf16(address)), QUrl::StrictMode);
}

bool IsWebUrl(const QUrl& url) {
  const QString scheme = url.scheme().toLower();
  return url.isValid() && (scheme == "http" || scheme == "https") && !url.host().isEmpty();
}

}  // namespace

bool IsWebAddress(const std::string& address) { return IsWebUrl(ToUrl(address)); }

bool DownloadRunning() { return running; }

DownloadResult DownloadAnswer(const std::string& address, int timeoutMs) {
  DownloadResult result;
  const QUrl url = ToUrl(address);
  if (running || !IsWebUrl(url)) return result;
  running = true;

  QNetworkAccessManager manager;
  QNetworkRequest request(url);
  request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
  std::unique_ptr<QNetworkReply> reply(manager.get(request));

  bool cutShort = false;
  QEventLoop loop;
  QTimer deadline;
  deadline.setSingleShot(true);
  QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
    cutShort = true;
    reply->abort();
  });
  QObject::connect(reply.get(), &QNetworkReply::downloadProgress, &loop, [&](qint64 received, qint64) {
    if (received > kMaxAnswerBytes) {
      cutShort = true;
      reply->abort();
    }
  });
  QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
  deadline.start(timeoutMs);
  if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
  deadline.stop();

  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  if (!cutShort && reply->error() == QNetworkReply::NoError && status >= 200 && status < 300) {
    const QByteArray body = reply->readAll();
    if (body.size() <= kMaxAnswerBytes) {
      result.ok = true;
      result.bytes.assign(body.constData(), static_cast<std::size_t>(body.size()));
    }
  }
  running = false;
  return result;
}

}  // namespace stagora::designer
