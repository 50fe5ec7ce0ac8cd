#include "LeitorPlanilhaExterno.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

namespace lumeno::teste {

namespace {
const char* const scriptXlrd = R"py(
import json, sys
try:
    import xlrd
except ImportError:
    print(json.dumps({"erro": "python3-xlrd não instalado (apt-get install python3-xlrd)"}))
    sys.exit(0)
b = xlrd.open_workbook(sys.argv[1])
s = b.sheet_by_index(0)
cel = []
for r in range(s.nrows):
    for c in range(s.ncols):
        x = s.cell(r, c)
        if x.ctype == xlrd.XL_CELL_TEXT:
            cel.append([r, c, "t", x.value])
        elif x.ctype == xlrd.XL_CELL_NUMBER:
            cel.append([r, c, "n", x.value])
print(json.dumps({"biff": b.biff_version, "nome": s.name, "celulas": cel}))
)py";

QList<QStringList> lerCsv(const QString& texto) {
    QList<QStringList> linhas;
    QStringList linha;
    QString campo;
    bool aspas = false;
    for (int i = 0; i < texto.size(); ++i) {
        const QChar c = texto[i];
        if (aspas) {
            if (c == '"' && i + 1 < texto.size() && texto[i + 1] == '"') {
                campo += '"';
                ++i;
            } else if (c == '"') {
                aspas = false;
            } else {
                campo += c;
            }
        } else if (c == '"') {
            aspas = true;
        } else if (c == ',') {
            linha << campo;
            campo.clear();
        } else if (c == '\n') {
            linha << campo;
            linhas << linha;
            linha.clear();
            campo.clear();
        } else if (c != '\r') {
            campo += c;
        }
    }
    if (!campo.isEmpty() || !linha.isEmpty()) {
        linha << campo;
        linhas << linha;
    }
    return linhas;
}
}  // namespace

LeituraXlrd lerComXlrd(const QString& arquivo) {
    LeituraXlrd r;
    if (!QFile::exists(QStringLiteral("/usr/bin/python3"))) {
        r.erro = QStringLiteral(
            "/usr/bin/python3 não encontrado (apt-get install python3 python3-xlrd)");
        return r;
    }
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"),
            {QStringLiteral("-c"), QString::fromUtf8(scriptXlrd), arquivo});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        r.erro = QStringLiteral("xlrd falhou: ") + QString::fromUtf8(p.readAllStandardError());
        return r;
    }
    const QJsonObject o = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    if (o.contains(QStringLiteral("erro"))) {
        r.erro = o.value(QStringLiteral("erro")).toString();
        return r;
    }
    r.versaoBiff = o.value(QStringLiteral("biff")).toInt();
    r.nomePlanilha = o.value(QStringLiteral("nome")).toString();
    const QJsonArray celulas = o.value(QStringLiteral("celulas")).toArray();
    for (const auto& v : celulas) {
        const QJsonArray c = v.toArray();
        const QVariant valor = c[2].toString() == QLatin1String("t") ? QVariant(c[3].toString())
                                                                     : QVariant(c[3].toDouble());
        r.celulas.insert({c[0].toInt(), c[1].toInt()}, valor);
    }
    r.ok = true;
    return r;
}

LeituraSsconvert lerComSsconvert(const QString& arquivo) {
    LeituraSsconvert r;
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("saida.csv"));
    QProcess p;
    p.start(QStringLiteral("ssconvert"), {arquivo, csv});
    if (!p.waitForStarted(10000)) {
        r.erro = QStringLiteral("ssconvert não encontrado (apt-get install gnumeric)");
        return r;
    }
    if (!p.waitForFinished(60000) || p.exitCode() != 0 || !QFile::exists(csv)) {
        r.erro = QStringLiteral("ssconvert falhou: ") + QString::fromUtf8(p.readAllStandardError());
        return r;
    }
    QFile f(csv);
    f.open(QIODevice::ReadOnly);
    r.linhas = lerCsv(QString::fromUtf8(f.readAll()));
    r.ok = true;
    return r;
}

QString LeituraSsconvert::celula(int linha, int coluna) const {
    if (linha < 0 || linha >= linhas.size() || coluna < 0 || coluna >= linhas[linha].size())
        return QString();
    return linhas[linha][coluna];
}

}  // namespace lumeno::teste
