// Measurement summaries in binary records (.rsm): fixed records of 64 bytes,
// little-endian. The first record also carries the station code: its length at offset 1
// (0–8) and its text at offsets 2–9. Each record: number (int16 at 10), day, month,
// year (int16 at 20, 22, 24; a year below 100 is 2000–2009 for 0–9 and 1910–1999 for
// 10–99), stage (cm), discharge (m³/s) and wetted area (m²) as 6-byte reals at 28, 34
// and 40, mean velocity (m/s) at 58.
#pragma once

#include "import/LeitorTexto.h"

#include <vector>

namespace lumeno {

struct ArquivoRsm {
    QString codigoTexto;  // as in the first record
    int codigo = 0;
    std::vector<ResumoMedicao> medicoes;
};

class LeitorRsm {
public:
    static constexpr int tamanhoRegistro = 64;

    // Reads and checks the whole file; throws ErroImportacao naming the record at fault.
    // The last record is kept when it holds a measurement (number not 0 and a valid
    // date) and left out when it is a closing record that carries none.
    static ArquivoRsm ler(const QByteArray& dados);

    // The 6-byte real: byte 0 the exponent biased by 129 (0 means the value 0), bytes
    // 1–5 a 39-bit fraction, least significant byte first, and the sign in the top bit of
    // byte 5: (−1)^s · (1 + f/2^39) · 2^(e − 129).
    static double real48(const char* bytes);

    // The dd/mm/yyyy text of a record's date fields.
    static QString textoData(int dia, int mes, int ano);
};

}  // namespace lumeno
