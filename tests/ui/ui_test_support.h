#pragma once

// Fixture files and widget look-ups shared by the window tests.

#include "data/general.h"
#include "data/save_format.h"
#include "data/text.h"
#include "tests/core/fixtures.h"

#include <QApplication>
#include <QFile>
#include <QString>
#include <QTest>
#include <QWidget>

#include <string>

namespace sg8::testing {

inline GeneralText utf8Text(const char* utf8) { return GeneralText::fromUtf8(ByteString(std::string(utf8))); }

/// A general with every edited field set to something other than its default.
inline CustomGeneral fullGeneral(std::int32_t id)
{
    CustomGeneral g;
    for (const FieldInfo& field : kFields) {
        if (field.kind == FieldKind::Int) g.intField(field.index) = 100 + field.index;
    }
    g.id = id;
    g.surname = utf8Text("张");
    g.givenName = utf8Text("三");
    g.courtesyName = utf8Text("子义");
    g.biography = utf8Text("生于乱世。\r\n以勇闻名。");
    g.illustrationCode = utf8Text("ill_01");
    g.modelCode = utf8Text("m_zhang");
    g.modelHelmet = utf8Text("h1");
    g.modelLeftShoulder = utf8Text("l1");
    g.modelRightShoulder = utf8Text("r1");
    g.voice = utf8Text("v3");
    g.weaponType = 7;
    g.gender = 2;
    g.dialogueStyle = 4;
    g.management = 1;
    g.farming = 2;
    g.commerce = 0;
    g.craft = 1;
    g.advisorTrait = 3;
    return g;
}

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

inline QByteArray encoded(const GeneralList& generals, std::int32_t trailer = 0)
{
    const ByteString bytes = encodeSaveFile(generals, trailer);
    return QByteArray(bytes.bytes().data(), static_cast<qsizetype>(bytes.size()));
}

/// The visible top-level window with this object name, or nullptr.
inline QWidget* visibleWindow(const char* name)
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->objectName() == QString::fromUtf8(name)) return widget;
    }
    return nullptr;
}

template <typename T>
T* control(QWidget* window, const char* name)
{
    return window ? window->findChild<T*>(QString::fromUtf8(name)) : nullptr;
}

/// Types text as a user would, one character at a time (Chinese included).
inline void typeText(QWidget* widget, const QString& text)
{
    widget->setFocus();
    for (const char32_t codePoint : text.toUcs4()) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString::fromUcs4(&codePoint, 1), Qt::NoModifier);
    }
}

}  // namespace sg8::testing
