#include "radio_store.h"

#include "fleet_database.h"
#include "plan_store.h"
#include "programming_record.h"

#include <QCoreApplication>
#include <QHash>
#include <QSqlQuery>
#include <algorithm>

namespace {

QString NoRadio(const QString& label) {
    return QCoreApplication::translate("Fleet", "车队中没有标签为 \"%1\" 的电台")
        .arg(RecordFields::Escaped(label));
}

} // namespace

QString RadioStore::LabelProblem(const QString& label) {
    if (label.isEmpty()) {
        return QCoreApplication::translate("Fleet", "标签不能为空");
    }
    return RecordFields::LabelProblem(label);
}

QString RadioStore::Canonical(QList<RadioOverrides::CellValue>& values) {
    for (RadioOverrides::CellValue& value : values) {
        const QString name = RadioOverrides::CellName(value.name);
        if (name.isEmpty()) {
            return QCoreApplication::translate(
                       "Fleet", "\"%1\" 不是单元格名；应为信道号和列名，如 \"信道3 接收频率\"")
                .arg(RecordFields::Escaped(value.name));
        }
        value.name = name;
    }
    std::stable_sort(values.begin(), values.end(),
                     [](const auto& a, const auto& b) { return a.name < b.name; });
    return QString();
}

QString RadioStore::Build(const PlanVersion& plan, const FleetRadio& radio, MemoryImage* image) {
    *image = plan.image;
    QStringList reasons;
    for (const RadioOverrides::CellProblem& problem :
         RadioOverrides::ApplyCells(radio.values, *image)) {
        reasons.append(QCoreApplication::translate("Fleet", "%1：%2")
                           .arg(radio.values.at(problem.index).name, problem.reason));
    }
    if (!reasons.isEmpty()) {
        *image = plan.image;
    }
    return reasons.join(QStringLiteral("; "));
}

QString RadioStore::check(FleetRadio& radio, bool newLabel) {
    radio.label = Label(radio.label);
    if (const QString problem = LabelProblem(radio.label); !problem.isEmpty()) {
        return problem;
    }
    for (const QString* text : {&radio.group, &radio.note}) {
        if (const QString problem = RecordFields::LabelProblem(*text); !problem.isEmpty()) {
            return problem;
        }
    }
    if (const QString problem = Canonical(radio.values); !problem.isEmpty()) {
        return problem;
    }
    PlanVersion plan;
    if (const QString problem = PlanStore(m_database).find(radio.plan, 0, &plan);
        !problem.isEmpty()) {
        return problem;
    }
    if (newLabel) {
        QSqlQuery taken = m_database.prepared(
            QStringLiteral("SELECT 1 FROM radios WHERE label = ?"), {radio.label});
        if (!taken.exec()) {
            return FleetDatabase::Failure(taken);
        }
        if (taken.next()) {
            return QCoreApplication::translate("Fleet", "标签 \"%1\" 已在车队中").arg(radio.label);
        }
    }
    MemoryImage image;
    const QString misfit = Build(plan, radio, &image);
    return misfit.isEmpty()
               ? QString()
               : QCoreApplication::translate("Fleet", "\"%1\" 的值不适合计划 %2@%3：%4")
                     .arg(radio.label, plan.plan)
                     .arg(plan.version)
                     .arg(misfit);
}

QString RadioStore::store(const FleetRadio& radio) {
    QSqlQuery update = m_database.prepared(
        QStringLiteral("UPDATE radios SET plan_id = (SELECT id FROM plans WHERE name = ?), "
                       "grp = ?, note = ? WHERE label = ?"),
        {radio.plan.trimmed(), radio.group, radio.note, radio.label});
    if (!update.exec()) {
        return FleetDatabase::Failure(update);
    }
    if (update.numRowsAffected() == 0) {
        QSqlQuery insert =
            m_database.prepared(QStringLiteral("INSERT INTO radios (label, plan_id, grp, note) "
                                               "SELECT ?, id, ?, ? FROM plans WHERE name = ?"),
                                {radio.label, radio.group, radio.note, radio.plan.trimmed()});
        if (!insert.exec()) {
            return FleetDatabase::Failure(insert);
        }
    }
    QSqlQuery clear =
        m_database.prepared(QStringLiteral("DELETE FROM radio_values WHERE radio_id = "
                                           "(SELECT id FROM radios WHERE label = ?)"),
                            {radio.label});
    if (!clear.exec()) {
        return FleetDatabase::Failure(clear);
    }
    for (const RadioOverrides::CellValue& value : radio.values) {
        QSqlQuery insert =
            m_database.prepared(QStringLiteral("INSERT INTO radio_values (radio_id, cell, text) "
                                               "SELECT id, ?, ? FROM radios WHERE label = ?"),
                                {value.name, value.text, radio.label});
        if (!insert.exec()) {
            return FleetDatabase::Failure(insert);
        }
    }
    return QString();
}

QString RadioStore::add(FleetRadio radio) {
    return addAll({radio});
}

QString RadioStore::addAll(const QList<FleetRadio>& radios) {
    // Without a log there is no plan yet: the check says so, and no log is made for a refusal.
    if (!m_database.isOpen() && !radios.isEmpty()) {
        FleetRadio first = radios.first();
        return check(first, true);
    }
    return m_database.inTransaction([&]() -> QString {
        for (FleetRadio radio : radios) {
            if (QString problem = check(radio, true); !problem.isEmpty()) {
                return problem;
            }
            if (QString problem = store(radio); !problem.isEmpty()) {
                return problem;
            }
        }
        return QString();
    });
}

QString RadioStore::edit(const QString& label, const RadioChange& change) {
    if (!m_database.isOpen()) { // no log yet, so no fleet
        return NoRadio(Label(label));
    }
    return m_database.inTransaction([&]() -> QString {
        FleetRadio radio;
        if (QString problem = find(label, &radio); !problem.isEmpty()) {
            return problem;
        }
        radio.plan = change.plan.value_or(radio.plan);
        radio.group = change.group.value_or(radio.group);
        radio.note = change.note.value_or(radio.note);
        QList<RadioOverrides::CellValue> set = change.set;
        QList<RadioOverrides::CellValue> gone;
        for (const QString& name : change.unset) {
            gone.append({name, QString()});
        }
        if (QString problem = Canonical(set); !problem.isEmpty()) {
            return problem;
        }
        if (QString problem = Canonical(gone); !problem.isEmpty()) {
            return problem;
        }
        for (const RadioOverrides::CellValue& value : set + gone) {
            radio.values.erase(std::remove_if(radio.values.begin(), radio.values.end(),
                                              [&](const auto& v) { return v.name == value.name; }),
                               radio.values.end());
        }
        radio.values += set;
        if (QString problem = check(radio, false); !problem.isEmpty()) {
            return problem;
        }
        return store(radio);
    });
}

QString RadioStore::remove(const QString& label) {
    if (!m_database.isOpen()) {
        return NoRadio(Label(label));
    }
    return m_database.inTransaction([&]() -> QString {
        const QString kept = Label(label);
        QSqlQuery values =
            m_database.prepared(QStringLiteral("DELETE FROM radio_values WHERE radio_id = "
                                               "(SELECT id FROM radios WHERE label = ?)"),
                                {kept});
        QSqlQuery radio =
            m_database.prepared(QStringLiteral("DELETE FROM radios WHERE label = ?"), {kept});
        if (!values.exec()) {
            return FleetDatabase::Failure(values);
        }
        if (!radio.exec()) {
            return FleetDatabase::Failure(radio);
        }
        return radio.numRowsAffected() == 0 ? NoRadio(kept) : QString();
    });
}

QString RadioStore::find(const QString& label, FleetRadio* radio) {
    QList<FleetRadio> radios;
    const QString problem = list(&radios, Label(label));
    if (!problem.isEmpty()) {
        return problem;
    }
    if (radios.isEmpty()) {
        return NoRadio(Label(label));
    }
    *radio = radios.first();
    return QString();
}

QString RadioStore::list(QList<FleetRadio>* radios) {
    return list(radios, QString());
}

QString RadioStore::list(QList<FleetRadio>* radios, const QString& label) {
    if (!m_database.isOpen()) {
        return QString();
    }
    const QString where = label.isEmpty() ? QString() : QStringLiteral(" WHERE r.label = ?");
    const QVariantList bound = label.isEmpty() ? QVariantList() : QVariantList{label};
    QSqlQuery query = m_database.prepared(
        QStringLiteral("SELECT r.id, r.label, r.grp, r.note, p.name FROM radios r "
                       "JOIN plans p ON p.id = r.plan_id%1 ORDER BY r.label")
            .arg(where),
        bound);
    QSqlQuery values = m_database.prepared(
        QStringLiteral("SELECT v.radio_id, v.cell, v.text FROM radio_values v "
                       "JOIN radios r ON r.id = v.radio_id%1 ORDER BY v.radio_id, v.cell")
            .arg(where),
        bound);
    if (!query.exec()) {
        return FleetDatabase::Failure(query);
    }
    if (!values.exec()) {
        return FleetDatabase::Failure(values);
    }
    QHash<qint64, QList<RadioOverrides::CellValue>> own;
    while (values.next()) {
        own[values.value(0).toLongLong()].append(
            {values.value(1).toString(), values.value(2).toString()});
    }
    while (query.next()) {
        radios->append({query.value(1).toString(), query.value(2).toString(),
                        query.value(3).toString(), query.value(4).toString(),
                        own.value(query.value(0).toLongLong())});
    }
    return QString();
}
