#include "shell/UpdateFtp.h"

#include <QEventLoop>
#include <QIODevice>
#include <QCoreApplication>

#include <curl/curl.h>

#include <algorithm>
#include <thread>

namespace {

void InitialiseCurl()
{
    // Once per process and before any other thread uses libcurl.
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    (void)initialised;
}

CURL* Easy(void* handle) { return static_cast<CURL*>(handle); }
CURLM* Multi(void* handle) { return static_cast<CURLM*>(handle); }

AnsiString Escaped(CURL* easy, const AnsiString& part)
{
    char* escaped = curl_easy_escape(easy, part.data(), static_cast<int>(part.size()));
    AnsiString result = escaped ? escaped : "";
    curl_free(escaped);
    return result;
}

}   // namespace

TUpdateFtp::TUpdateFtp()
{
    InitialiseCurl();
    easy_ = curl_easy_init();
    multi_ = curl_multi_init();
}

TUpdateFtp::~TUpdateFtp()
{
    // Requests are joined before they return, so none runs here.
    if (multi_)
        curl_multi_cleanup(Multi(multi_));
    if (easy_)
        curl_easy_cleanup(Easy(easy_));
}

AnsiString TUpdateFtp::FolderUrl() const
{
    AnsiString url = Server;
    if (url.empty() || url.back() != '/')
        url += '/';
    if (!Folder.empty())
        url += Escaped(Easy(easy_), Folder) + "/";
    return url;
}

TFtpResult TUpdateFtp::Connect()
{
    // Without a body a folder address logs in and changes into the folder,
    // and nothing more.
    sink_ = TSink::None;
    return Run(FolderUrl(), true);
}

TFtpResult TUpdateFtp::List(std::string& listing)
{
    listing.clear();
    sink_ = TSink::Text;
    text_ = &listing;
    TFtpResult result = Run(FolderUrl(), false);
    text_ = nullptr;
    if (!result.Ok)
        listing.clear();
    return result;
}

TFtpResult TUpdateFtp::Download(const AnsiString& fileName, QIODevice& target)
{
    sink_ = TSink::Device;
    device_ = &target;
    TFtpResult result = Run(FolderUrl() + Escaped(Easy(easy_), fileName), false);
    device_ = nullptr;
    return result;
}

void TUpdateFtp::Cancel()
{
    if (!busy_)
        return;
    cancel_ = true;
    curl_multi_wakeup(Multi(multi_));
}

void TUpdateFtp::Disconnect()
{
    if (busy_)
        return;
    // The connections live in the multi handle's cache: a new pair closes them.
    curl_multi_cleanup(Multi(multi_));
    curl_easy_cleanup(Easy(easy_));
    easy_ = curl_easy_init();
    multi_ = curl_multi_init();
    connected_ = false;
}

TFtpResult TUpdateFtp::Run(const AnsiString& url, bool noBody)
{
    TFtpResult result;
    if (busy_ || !easy_ || !multi_) {
        result.Error = busy_ ? "A transfer is still running" : "libcurl is not available";
        return result;
    }
    CURL* easy = Easy(easy_);
    curl_easy_reset(easy);
    errorBuffer_[0] = '\0';
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    // Only FTP, whatever the configured address names; no redirects.
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(easy, CURLOPT_USERNAME, UserName.c_str());
    curl_easy_setopt(easy, CURLOPT_PASSWORD, Password.c_str());
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorBuffer_);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(ConnectTimeoutMs));
    const long readSeconds = (std::max<long>(ReadTimeoutMs, 1000) + 999) / 1000;
    curl_easy_setopt(easy, CURLOPT_SERVER_RESPONSE_TIMEOUT, readSeconds);
    curl_easy_setopt(easy, CURLOPT_ACCEPTTIMEOUT_MS, static_cast<long>(ReadTimeoutMs));
    // A data connection that stays silent for the read time-out fails.
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, readSeconds);
    // Active mode: the server connects back to the address of the control
    // connection.
    curl_easy_setopt(easy, CURLOPT_FTPPORT, Passive ? nullptr : "-");
    curl_easy_setopt(easy, CURLOPT_NOBODY, noBody ? 1L : 0L);
    curl_easy_setopt(easy, CURLOPT_TRANSFERTEXT, 0L);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &TUpdateFtp::WriteCallback);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);

    cancel_ = false;
    bytes_ = 0;
    busy_ = true;
    int code = CURLE_OK;
    std::atomic<bool> done{false};
    QEventLoop loop;
    std::thread worker([this, &code, &done, &loop] {
        code = Perform();
        done = true;
        QMetaObject::invokeMethod(&loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
    while (!done) {
        // Left other than by the worker's quit, the application is quitting
        // and runs no more loops: the request ends at once then instead of
        // running out its time-outs.
        if (loop.exec() != 0 && !done) {
            Cancel();
            break;
        }
    }
    worker.join();
    busy_ = false;

    result.Cancelled = cancel_ || code == CURLE_ABORTED_BY_CALLBACK;
    result.Ok = code == CURLE_OK && !result.Cancelled;
    if (!result.Ok && !result.Cancelled)
        result.Error = errorBuffer_[0] ? errorBuffer_ : curl_easy_strerror(static_cast<CURLcode>(code));
    connected_ = result.Ok;
    return result;
}

int TUpdateFtp::Perform()
{
    CURLM* multi = Multi(multi_);
    CURL* easy = Easy(easy_);
    if (curl_multi_add_handle(multi, easy) != CURLM_OK)
        return CURLE_FAILED_INIT;
    int code = CURLE_OK;
    int running = 1;
    while (running > 0) {
        if (cancel_) {
            code = CURLE_ABORTED_BY_CALLBACK;
            break;
        }
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            code = CURLE_FAILED_INIT;
            break;
        }
        if (running > 0 && curl_multi_poll(multi, nullptr, 0, 1000, nullptr) != CURLM_OK) {
            code = CURLE_FAILED_INIT;
            break;
        }
    }
    if (running == 0) {
        int left = 0;
        while (CURLMsg* message = curl_multi_info_read(multi, &left))
            if (message->msg == CURLMSG_DONE && message->easy_handle == easy)
                code = message->data.result;
    }
    // Taking a handle out in the middle of a request closes its connection.
    curl_multi_remove_handle(multi, easy);
    return code;
}

std::size_t TUpdateFtp::WriteCallback(char* data, std::size_t size, std::size_t count, void* self)
{
    return static_cast<TUpdateFtp*>(self)->Write(data, size * count);
}

std::size_t TUpdateFtp::Write(const char* data, std::size_t length)
{
    if (cancel_)
        return 0;
    switch (sink_) {
    case TSink::Text:
        if (!text_ || text_->size() + length > MaxListingSize)
            return 0;
        text_->append(data, length);
        break;
    case TSink::Device:
        if (!device_ || device_->write(data, static_cast<qint64>(length)) != static_cast<qint64>(length))
            return 0;
        break;
    case TSink::None:
        return 0;
    }
    bytes_ += static_cast<qint64>(length);
    // One report at a time in the queue; it carries the count of when it runs.
    if (sink_ == TSink::Device && !workPosted_.exchange(true))
        QMetaObject::invokeMethod(this, [this] {
            workPosted_ = false;
            emit Work(bytes_);
        }, Qt::QueuedConnection);
    return length;
}
