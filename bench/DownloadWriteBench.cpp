// Feeds 32 MiB through a FileDownloader in 64 KiB blocks, the way the browser
// delivers a download, and writes the same bytes with plain file writes in
// the same run, so the two can be compared directly.
#include "client/model/Client.h"
#include "client/model/ClientRepository.h"
#include "client/model/downloads/DownloadManager.h"
#include "client/model/downloads/FileDownloader.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fstream>
#include <memory>

namespace {

using namespace plenfox::client::model;

constexpr qsizetype TotalBytes = qsizetype{32} << 20;
constexpr qsizetype BlockBytes = qsizetype{64} << 10;

QByteArray makeBlock() {
    QByteArray block(BlockBytes, Qt::Uninitialized);
    for (qsizetype i = 0; i < block.size(); ++i)
        block[i] = static_cast<char>((i * 131) & 0xff);
    return block;
}

// One client on a scratch data folder for the whole run.
struct Fixture {
    QTemporaryDir folder;
    std::unique_ptr<Client> client;
    QByteArray block = makeBlock();

    Fixture() {
        client = std::make_unique<Client>(
            nullptr, std::make_unique<ClientRepository>(folder.path().toStdU16String()));
        if (!client->initialize())
            throw std::runtime_error("client did not start");
    }
    ~Fixture() { client->shutdown(); }
    QString plainFile() const { return folder.filePath(QStringLiteral("plain.zip")); }
};

Fixture& fixture() {
    static Fixture instance;
    return instance;
}

void BM_ReceivedData(benchmark::State& state) {
    Fixture& f = fixture();
    DownloadAttributes attributes;
    attributes.fileName = QStringLiteral("download.zip");
    attributes.contentLength = TotalBytes;
    attributes.mimeType = QStringLiteral("application/zip");
    for (auto _ : state) {
        auto downloader = f.client->getDownloadManager()->createDownloader(attributes);
        for (qsizetype written = 0; written < TotalBytes; written += BlockBytes)
            if (!downloader->receivedData(f.block))
                state.SkipWithError("receivedData refused a block");
        downloader->complete();
    }
    state.SetBytesProcessed(state.iterations() * TotalBytes);
}

void BM_PlainQFile(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        // Like the downloader, which deletes the older file of the same name.
        QFile::remove(f.plainFile());
        QFile file(f.plainFile());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            state.SkipWithError("cannot open the plain file");
        for (qsizetype written = 0; written < TotalBytes; written += BlockBytes)
            file.write(f.block);
        file.close();
    }
    state.SetBytesProcessed(state.iterations() * TotalBytes);
}

void BM_PlainOfstream(benchmark::State& state) {
    Fixture& f = fixture();
    const std::string path = f.plainFile().toStdString();
    for (auto _ : state) {
        QFile::remove(f.plainFile());
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        for (qsizetype written = 0; written < TotalBytes; written += BlockBytes)
            file.write(f.block.constData(), f.block.size());
        file.close();
    }
    state.SetBytesProcessed(state.iterations() * TotalBytes);
}

BENCHMARK(BM_ReceivedData)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainQFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainOfstream)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
