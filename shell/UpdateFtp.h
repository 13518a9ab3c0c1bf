// The update dialog's FTP client, on libcurl.
//
// Each request runs on a worker thread of its own while the calling (main)
// thread waits in a local event loop: the windows keep painting, and the
// cancel button of the dialog is handled while a file comes in. The worker
// drives libcurl's multi interface and sleeps in curl_multi_poll, which
// Cancel wakes up at once (curl_multi_wakeup), so a cancel never waits for
// the server's next packet. libcurl itself is only ever used by one thread
// at a time: the request's worker, or the main thread between requests.
#pragma once

#include "platform/SysTypes.h"

#include <QObject>

#include <atomic>
#include <string>

class QIODevice;

struct TFtpResult {
    bool Ok = false;
    bool Cancelled = false;
    AnsiString Error;   // what libcurl reported, empty on success
};

class TUpdateFtp : public QObject {
    Q_OBJECT
public:
    TUpdateFtp();
    ~TUpdateFtp() override;
    TUpdateFtp(const TUpdateFtp&) = delete;
    TUpdateFtp& operator=(const TUpdateFtp&) = delete;

    // "ftp://host[:port][/path]"; the folder below it holds the update.
    AnsiString Server;
    AnsiString Folder;
    AnsiString UserName;
    AnsiString Password;
    bool Passive = true;
    // Connecting with the login, and waiting for a reply or for data.
    Integer ConnectTimeoutMs = 15000;
    Integer ReadTimeoutMs = 10000;
    // A listing longer than this is refused as a failed listing.
    static constexpr std::size_t MaxListingSize = 4 << 20;

    // True after a request succeeded, until one fails, is cancelled or
    // Disconnect closes the connection.
    bool Connected() const { return connected_; }
    bool Busy() const { return busy_; }

    // Connects, logs in and changes into Folder.
    TFtpResult Connect();
    // The detailed listing of Folder.
    TFtpResult List(std::string& listing);
    // Fetches the file of Folder into target (binary, from its start); Work
    // reports the bytes written so far while it runs.
    TFtpResult Download(const AnsiString& fileName, QIODevice& target);
    // Ends the running request (from a handler that runs while it waits).
    void Cancel();
    void Disconnect();

signals:
    void Work(qint64 bytes);

private:
    enum class TSink { None, Text, Device };
    TFtpResult Run(const AnsiString& url, bool noBody);
    int Perform();
    AnsiString FolderUrl() const;
    static std::size_t WriteCallback(char* data, std::size_t size, std::size_t count, void* self);
    std::size_t Write(const char* data, std::size_t length);

    void* easy_ = nullptr;
    void* multi_ = nullptr;
    std::atomic<bool> cancel_{false};
    std::atomic<qint64> bytes_{0};
    std::atomic<bool> workPosted_{false};
    bool busy_ = false;
    bool connected_ = false;
    TSink sink_ = TSink::None;
    std::string* text_ = nullptr;
    QIODevice* device_ = nullptr;
    char errorBuffer_[256] = {};
};
