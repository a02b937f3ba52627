// Reading the material list and the materials' records.
#include "config/editors/materialrecords.h"

#include "core/exchange/serverlists.h"

MaterialRecordsRead readMaterialRecords(ServerExchange &server)
{
    MaterialRecordsRead result;
    const PagedRead<MaterialTable> list = readMaterialList(server, EditorTries);
    if (!list.ok()) {
        result.failed = ServerRecord::MaterialList;
        return result;
    }
    for (const MaterialListEntry &entry : list.list) {
        qint32 status = 0;
        const auto wire = readRecord(server, codeRequest(entry.code), decodeMaterialWire, status, EditorTries);
        if (!wire) {
            result.failed = ServerRecord::Material;
            return result;
        }
        result.materials.append(wire->material);
    }
    return result;
}
