#pragma once

#include "generic_csv.h"
#include "generic_csv_fields.h"

#include <array>
#include <cstdint>

namespace GenericCsv {

// Reads the rows of a generic file into channel cells: finds the columns by the header's names
// and turns each row's values into the cells our own layout checks, reporting every value this
// radio cannot hold to result.
class RowImporter {
public:
    RowImporter(const CsvRecords::Record& header, std::uint32_t low, std::uint32_t high,
                Result& result);

    bool hasColumn(int field) const { return m_column[size_t(field)] >= 0; }

    QString value(const CsvRecords::Record& record, int field) const;

    // The eleven cells of a channel, or reports why the row cannot be one.
    QStringList cells(const CsvRecords::Record& record);

    void report(int field, const QString& problem);

private:
    QString transmitFrequency(std::uint32_t rx);

    void signalling(QStringList& cells);

    // The signalling list entry one side names; side 0 is transmit, 1 receive, as in
    // DtcsPolarity.
    QString entry(Kind kind, int field, int side);

    QString bandwidth();

    QString scan();

    QString power();

    std::uint32_t m_low;
    std::uint32_t m_high;
    Result& m_result;
    std::array<int, kFieldCount> m_column{};
    std::array<QString, kFieldCount> m_headerText;
    const CsvRecords::Record* m_record = nullptr;
};

} // namespace GenericCsv
