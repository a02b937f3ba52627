// Fuzz target: the acquisition server's request handler answering any sequence of request frames
// against a store in a temporary folder. Every answer must keep the handler's contract on the
// buffer, and a record the handler says it stored must read back as it was written.
#include "core/exchange/exchangeframe.h"
#include "fuzz/fuzzinput.h"
#include "server/plantstore.h"
#include "server/requesthandler.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>

namespace {

// The store starts as the seeded demonstration plant, and again every StoreLifetime inputs, so that it
// never fills up with what earlier inputs wrote (a store of 100 users makes every user-key read
// slow); opening a store costs as much as a few hundred inputs. A finding's input replayed alone
// runs against the seeded plant.
constexpr int StoreLifetime = 256;

struct Server
{
    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("plant.sqlite"));
    QByteArray seeded; // the file of a freshly seeded store
    std::unique_ptr<PlantStore> store;
    std::unique_ptr<RequestHandler> handler;

    void open()
    {
        store = PlantStore::open(path).store;
        if (!store)
            fuzzFailure("the store in the temporary folder did not open");
        handler = std::make_unique<RequestHandler>(*store);
    }

    void close()
    {
        handler.reset();
        store.reset(); // the last connection's close folds the journal back into the file
    }
};

Server &server()
{
    static int argc = 1;
    static char name[] = "requesthandler_fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    // Qt's list of database connections must outlive the store, which leaves it when destroyed at
    // exit: asking for it first makes it the later one to go.
    static const QStringList connections = QSqlDatabase::connectionNames();
    static Server instance;
    if (instance.seeded.isEmpty()) {
        instance.open();
        instance.close();
        QFile file(instance.path);
        if (!file.open(QIODevice::ReadOnly) || (instance.seeded = file.readAll()).isEmpty())
            fuzzFailure("the seeded store could not be read");
    }
    return instance;
}

// Puts the seeded store back in place and opens it, at the first input and every StoreLifetime inputs.
void freshStoreNowAndThen()
{
    static int inputs = 0;
    if (inputs++ % StoreLifetime != 0)
        return;
    Server &s = server();
    s.close();
    QFile file(s.path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(s.seeded) != s.seeded.size())
        fuzzFailure("the seeded store could not be put back");
    file.close();
    s.open();
}

bool knownStatus(qint32 status)
{
    return status == ExchangeStatus::Success
           || (status >= ExchangeStatus::UnknownRequest && status <= ExchangeStatus::StoreFailed);
}

// The record stored under the request code of a successful write, read back and decoded as Record.
template <typename Decode> auto readBack(qint32 code, Decode decode)
{
    ExchangeBuffer buffer = codeRequest(code);
    if (server().handler->handle(ExchangeOperation::Read, buffer) != ExchangeStatus::Success)
        fuzzFailure("a stored record does not read back");
    return *decode(replyRecord(buffer));
}

void checkStored(const ExchangeBuffer &written)
{
    const Request request = classifyRequest(ExchangeOperation::Write, written);
    switch (request.kind) {
    case RequestKind::Material:
        if (readBack(request.code, decodeMaterialWire).material != decodeMaterialWire(written)->material)
            fuzzFailure("a stored material reads back otherwise");
        break;
    case RequestKind::TankParams: {
        TankParamsWire expected = *decodeTankParamsWire(written);
        expected.requestCode = 0;
        TankParamsWire stored = readBack(request.code, decodeTankParamsWire);
        stored.requestCode = 0;
        if (stored != expected)
            fuzzFailure("stored tank parameters read back otherwise");
        break;
    }
    case RequestKind::ConsoleScreen:
        if (readBack(request.code, decodeConsoleScreenWire).screen != decodeConsoleScreenWire(written)->screen)
            fuzzFailure("a stored console screen reads back otherwise");
        break;
    default:
        break;
    }
}

void answer(const QByteArray &frame)
{
    const ExchangeOperation operation = (frame.front() & 1) ? ExchangeOperation::Read : ExchangeOperation::Write;
    ExchangeBuffer buffer;
    std::copy(frame.begin() + 1, frame.end(), buffer.begin());
    const ExchangeBuffer request = buffer;
    const qint32 status = server().handler->handle(operation, buffer);
    if (!knownStatus(status))
        fuzzFailure("the handler answered a status it does not know");
    const bool successfulRead = operation == ExchangeOperation::Read && status == ExchangeStatus::Success;
    if (!successfulRead && buffer != request)
        fuzzFailure("a write or a failed read changed the buffer");
    if (successfulRead && !std::equal(buffer.begin(), buffer.begin() + ReplyOffset, request.begin()))
        fuzzFailure("a read changed the request bytes before the reply record");
    if (operation == ExchangeOperation::Write && status == ExchangeStatus::Success)
        checkStored(request);
}

} // namespace

// Input: request frames of RequestFrameSize bytes each (an odd first byte reads, an even one
// writes), the last one zero-padded.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    freshStoreNowAndThen();
    FuzzInput input(data, size);
    while (!input.empty())
        answer(input.takePadded(RequestFrameSize));
    return 0;
}
