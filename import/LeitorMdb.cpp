#include "import/LeitorMdb.h"

#include <QDir>
#include <QTimeZone>

#include <charconv>
#include <cmath>

namespace lumeno {

int TabelaMdb::indice(const QString& coluna) const {
    for (int i = 0; i < colunas.size(); ++i)
        if (colunas[i].compare(coluna, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

double decimalCurto(float valor) {
    char texto[64];
    const auto fim = std::to_chars(texto, texto + sizeof texto, valor);
    double d = 0;
    std::from_chars(texto, fim.ptr, d);
    return d;
}

QDateTime dataAccess(double dias) {
    // 1/1/100 and 31/12/9999, the range Access itself allows.
    if (!std::isfinite(dias) || dias < -657434.0 || dias >= 2958466.0)
        return QDateTime();
    const double inteiro = std::trunc(dias);
    const qint64 segundos = std::llround(std::fabs(dias - inteiro) * 86400.0);
    const QDate dia = QDate(1899, 12, 30).addDays(static_cast<qint64>(inteiro));
    return QDateTime(dia, QTime(0, 0), QTimeZone::utc()).addSecs(segundos);
}

QString mensagemArquivo(const QString& arquivo, const QString& problema) {
    return QStringLiteral("O arquivo \"%1\" %2").arg(QDir::toNativeSeparators(arquivo), problema);
}

}  // namespace lumeno
