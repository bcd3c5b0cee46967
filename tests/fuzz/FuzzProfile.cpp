// Any file as a profile: loaded, every record's names shown, every list
// index looked up as the panel would, and the parameter set built, whose
// bytes must all stay 7-bit.
#include "ScratchFolder.h"
#include "device/DeviceMessages.h"
#include "midi/SysExHexText.h"
#include "model/ProfileFile.h"
#include "model/Vocabulary.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir folder(ScratchFolderTemplate());
    const QString path = folder.filePath("fuzz.cus");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    ParameterModel model;
    try {
        LoadParaFromFile(model, path, true);
    } catch (const std::exception&) {
        return 0;
    }
    for (int n = 1; n <= ControlCount; ++n) {
        const ControlRecord& record = model.Record(n);
        if (record.ParaName.Text().size() > 80 || record.EditorText.Text().size() > 80)
            std::abort();
        const QStringList& types = MessageTypeItems(n);
        if (record.DataType >= 0 && record.DataType < types.size())
            (void)types[record.DataType];
    }
    TByteStream stream;
    HexTextToStream(BuildParameterSet(model), stream);
    if (stream.Size() != 51)
        std::abort();
    for (std::uint8_t byte : stream.Bytes().subspan(1, 46))
        if (byte > 0x7F)
            std::abort();
    return 0;
}
