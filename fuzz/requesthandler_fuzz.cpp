// Fuzz target: the acquisition server's request handler answering any sequence of request frames
// against one store in a temporary folder. Every answer must keep the handler's contract on the
// buffer, and a record the handler says it stored must read back as it was written.
#include "core/exchange/exchangeframe.h"
#include "fuzz/fuzzinput.h"
#include "server/plantstore.h"
#include "server/requesthandler.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>

namespace {

struct Server
{
    QTemporaryDir folder;
    std::unique_ptr<PlantStore> store;
    std::unique_ptr<RequestHandler> handler;
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
    if (!instance.handler) {
        instance.store = PlantStore::open(instance.folder.filePath(QStringLiteral("plant.sqlite"))).store;
        if (!instance.store)
            fuzzFailure("the store in the temporary folder did not open");
        instance.handler = std::make_unique<RequestHandler>(*instance.store);
    }
    return instance;
}

bool knownStatus(qint32 status)
{
    return status == ExchangeStatus::Success
           || (status >= ExchangeStatus::UnknownRequest && status <= ExchangeStatus::StoreFailed);
}

// The record stored under the request code of a successful write, read back and decoded as Record.
template <typename Decode>
auto readBack(qint32 code, Decode decode)
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
    FuzzInput input(data, size);
    while (!input.empty())
        answer(input.takePadded(RequestFrameSize));
    return 0;
}
