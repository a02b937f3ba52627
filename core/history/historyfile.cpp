// The history file adapter: whole 4096-byte blocks read after the header.
#include "core/history/historyfile.h"

#include "core/services/datafolder.h"

HistoryFile::HistoryFile(const DataFolder &folder)
    : m_file(folder.filePath(HistoryFileName))
{
    if (!folder.exists(HistoryFileName))
        m_stopped = HistoryRead::Missing;
    else if (!m_file.open(QIODevice::ReadOnly))
        m_stopped = HistoryRead::Failed;
    else if (m_file.size() < static_cast<qint64>(HistoryHeaderSize))
        m_stopped = HistoryRead::ShortBlock; // the file ends inside its header
    else if (!m_file.seek(static_cast<qint64>(HistoryHeaderSize)))
        m_stopped = HistoryRead::Failed;
}

HistoryRead HistoryFile::readBlock(std::array<char, HistoryBlockSize> &block)
{
    if (m_stopped != HistoryRead::Block)
        return m_stopped;
    const qint64 read = m_file.read(block.data(), static_cast<qint64>(block.size()));
    if (read == static_cast<qint64>(block.size()))
        return HistoryRead::Block;
    if (read == 0)
        m_stopped = HistoryRead::EndOfFile;
    else
        m_stopped = read < 0 ? HistoryRead::Failed : HistoryRead::ShortBlock;
    m_file.close();
    return m_stopped;
}

QString HistoryFile::problemText(HistoryRead outcome) const
{
    if (outcome == HistoryRead::Missing)
        return QStringLiteral("Fajl %1 ne postoji.").arg(HistoryFileName);
    if (outcome == HistoryRead::ShortBlock)
        return QStringLiteral("Fajl %1 se zavrsava nepotpunim blokom.").arg(HistoryFileName);
    return QStringLiteral("Greska u citanju fajla %1 (%2).").arg(HistoryFileName, m_file.errorString());
}
