// stagora-calc: checks the design calculation from outside the designer. Reads one JSON object
// on standard input,
//   {"fields": {"Text1": "2", "Text2": "0.5", ..., "Text15": "1"},
//    "use_table": false, "table": [[x, y], ...], "simbolo": "."}
// (field texts as typed; "table" only with "use_table") and writes one JSON object with the
// error key or run-time error text, PendienteMin, the plate counts, the staircase, the texts
// of the result fields Text7 to Text14 and the four result tables (exact strings; CR LF kept).
// A failed design writes null for what it leaves as it was (Text7 to Text12, the tables) and
// "" for Text13 and Text14, which every calculation empties first; a refused table, which
// calculates nothing, writes null for all of them.
// Exit status 0 when a result was written, 2 when the input could not be understood: not
// JSON, a key the tool does not know (at the top or in "fields"), or a value of the wrong kind.
#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QLocale>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include "common/number_text.h"
#include "designer/calculation/design_calculation.h"
#include "designer/calculation/equilibrium.h"
#include "designer/calculation/result_tables.h"
#include "designer/calculation/result_texts.h"
#include "platform/encoding.h"

namespace {

constexpr int kExitBadInput = 2;

int Fail(const std::string& message) {
  std::cerr << "stagora-calc: " << message << "\n";
  return kExitBadInput;
}

// The first key of the object that is not one of `known`, if any. A misspelt key would
// otherwise be taken for one left out and give a result for another design.
std::optional<QString> UnknownKey(const QJsonObject& object, std::initializer_list<const char*> known) {
  for (const QString& key : object.keys()) {
    if (std::none_of(known.begin(), known.end(), [&key](const char* k) { return key == QLatin1String(k); })) {
      return key;
    }
  }
  return std::nullopt;
}

// A field's text: a JSON string as typed; a JSON number is taken in its shortest form.
std::optional<std::string> FieldText(const QJsonObject& fields, const char* name) {
  const QJsonValue v = fields.value(QLatin1String(name));
  if (v.isUndefined() || v.isNull()) return std::string();
  if (v.isString()) return plat::Utf8ToCp1252(v.toString().toStdString());
  if (v.isDouble()) return QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest).toStdString();
  return std::nullopt;
}

QJsonValue TextOrNull(const std::string& cp1252) {
  if (cp1252.empty()) return QJsonValue(QJsonValue::Null);
  return QString::fromStdString(plat::Cp1252ToUtf8(cp1252));
}

// A text the design wrote, or null for one a failed design leaves as it was.
QJsonValue Written(bool ok, const std::string& cp1252) {
  if (!ok) return QJsonValue(QJsonValue::Null);
  return QString::fromStdString(plat::Cp1252ToUtf8(cp1252));
}

// `calculated` is false when no calculation ran (a refused table), which empties nothing.
void AddResultTexts(QJsonObject& out, const stagora::DesignResult& r, const stagora::EquilibriumLookup* lookup,
                    bool calculated) {
  const bool ok = r.ok();
  const stagora::ResultTexts t = stagora::MakeResultTexts(r);
  out["Text7"] = Written(ok, t.Text7);
  out["Text8"] = Written(ok, t.Text8);
  out["Text9"] = Written(ok, t.Text9);
  out["Text10"] = Written(ok, t.Text10);
  out["Text11"] = Written(ok, t.Text11);
  out["Text12"] = Written(ok, t.Text12);
  out["Text13"] = Written(calculated, t.Text13);
  out["Text14"] = Written(calculated, t.Text14);
  const stagora::ResultTables tables = stagora::MakeResultTables(r, stagora::EquilibriumModelOf(r, lookup));
  out["TablaELV_TXT"] = Written(ok, tables.TablaELV_TXT);
  out["TablaPlatos_TXT"] = Written(ok, tables.TablaPlatos_TXT);
  out["TablaELV_HTFC"] = Written(ok, tables.TablaELV_HTFC);
  out["TablaPlatos_HTFC"] = Written(ok, tables.TablaPlatos_HTFC);
}

QJsonObject ResultJson(const stagora::DesignResult& r) {
  QJsonObject out;
  out["error_key"] = TextOrNull(r.errorKey);
  out["error_text"] = TextOrNull(r.errorText);
  out["PendienteMin"] = r.pendienteMinSet() ? QJsonValue(r.reflux.PendienteMin) : QJsonValue(QJsonValue::Null);
  out["NumPlatosTeor"] = r.NumPlatosTeor;
  out["PlatoAlimTeor"] = r.PlatoAlimTeor;
  // The staircase exists only for a design that succeeded, as the diagram draws it.
  QJsonArray points;
  const int count = r.ok() ? r.staircase.NumPuntos : 0;
  for (int i = 1; i <= count; ++i) {
    const auto k = static_cast<std::size_t>(i);
    points.append(QJsonArray{r.staircase.PuntoX[k], r.staircase.PuntoY[k]});
  }
  out["NumPuntos"] = count;
  out["points"] = points;
  return out;
}

int PrintResult(const stagora::DesignResult& r, const stagora::EquilibriumLookup* lookup, bool calculated = true) {
  QJsonObject out = ResultJson(r);
  AddResultTexts(out, r, lookup, calculated);
  std::fputs(QJsonDocument(out).toJson(QJsonDocument::Compact).append('\n').constData(), stdout);
  return 0;
}

}  // namespace

int main() {
  const std::string input{std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
  QJsonParseError parseError;
  const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(input), &parseError);
  if (parseError.error != QJsonParseError::NoError) {
    return Fail("invalid JSON: " + parseError.errorString().toStdString());
  }
  if (!doc.isObject()) return Fail("expected one JSON object");
  const QJsonObject obj = doc.object();
  if (const auto key = UnknownKey(obj, {"fields", "use_table", "table", "simbolo"})) {
    return Fail("unknown key \"" + key->toStdString() + "\" (known: fields, use_table, table, simbolo)");
  }
  const QJsonValue fieldsValue = obj.value("fields");
  if (!fieldsValue.isUndefined() && !fieldsValue.isObject()) return Fail("fields must be an object");
  const QJsonObject fields = fieldsValue.toObject();
  if (const auto key = UnknownKey(fields, {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text15"})) {
    return Fail("unknown field \"" + key->toStdString() + "\" (known: Text1 to Text6, Text15)");
  }
  const QJsonValue simboloValue = obj.value("simbolo");
  const QJsonValue useTableValue = obj.value("use_table");
  const QJsonValue tableValue = obj.value("table");
  if (!simboloValue.isUndefined() && !simboloValue.isString()) return Fail("simbolo must be \".\" or \",\"");
  if (!useTableValue.isUndefined() && !useTableValue.isBool()) return Fail("use_table must be true or false");
  if (!tableValue.isUndefined() && !tableValue.isArray()) return Fail("table must be an array of [x, y] rows");

  stagora::DesignInput in;
  struct Field {
    const char* name;
    std::string* text;
  };
  const Field names[] = {{"Text1", &in.fields.Text1}, {"Text2", &in.fields.Text2}, {"Text3", &in.fields.Text3},
                         {"Text4", &in.fields.Text4}, {"Text5", &in.fields.Text5}, {"Text6", &in.fields.Text6},
                         {"Text15", &in.fields.Text15}};
  for (const Field& f : names) {
    std::optional<std::string> text = FieldText(fields, f.name);
    if (!text) return Fail(std::string("field ") + f.name + " must be a string");
    *f.text = std::move(*text);
  }

  const QString simbolo = obj.value("simbolo").toString(".");
  if (simbolo != "." && simbolo != ",") return Fail("simbolo must be \".\" or \",\"");
  in.SimboloDecimal = simbolo.toStdString();

  in.UsarTabla = obj.value("use_table").toBool(false);
  auto lookup = std::make_unique<stagora::EquilibriumLookup>();
  if (in.UsarTabla) {
    const QJsonArray rows = obj.value("table").toArray();
    if (rows.size() < 2) return Fail("use_table needs a table of at least two rows");
    if (rows.size() > stagora::kTableRows) return Fail("a table holds at most 100 rows");
    stagora::EquilibriumTable table;
    for (qsizetype i = 0; i < rows.size(); ++i) {
      const QJsonArray row = rows[i].toArray();
      if (row.size() != 2 || !row[0].isDouble() || !row[1].isDouble()) {
        return Fail("each table row must be [x, y]");
      }
      table.TablaX[static_cast<std::size_t>(i)] = row[0].toDouble();
      table.TablaY[static_cast<std::size_t>(i)] = row[1].toDouble();
    }
    table.UltimoPuntoTabla = static_cast<int>(rows.size()) - 1;
    if (const auto refused = stagora::CrearSuperTABLA_ELV(table, *lookup)) {
      // The designer refuses such a table before it is used; say why instead of calculating.
      stagora::DesignResult r;
      r.errorText = stagora::RuntimeErrorText(*refused);
      return PrintResult(r, nullptr, false);
    }
    in.lookup = lookup.get();
  }

  return PrintResult(stagora::CalculateDesign(in), in.lookup);
}
