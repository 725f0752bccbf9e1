#pragma once

#include "RecordingBuilder.h"
#include "automation/ScriptSteps.h"
#include "automation/ScriptedPrompts.h"
#include "core/recorder/FileMap.h"
#include "widgets/app/MainWindow.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// Failure messages show texts as they are.
inline std::ostream& operator<<(std::ostream& os, const QString& s) {
    return os << s.toStdString();
}

namespace zurval::testing {

// A main window with scripted prompts and a folder for the files a test writes.
struct WindowFixture : ::testing::Test {
    ScriptedPrompts prompts;
    std::unique_ptr<TForm_Main> window = std::make_unique<TForm_Main>(prompts);
    QTemporaryDir dir;

    QString write(const RecordingBuilder& b, const QString& name = "test.vrl") {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(b.write(path));
        return path;
    }
    template <class T = QWidget> T* find(const char* name) const {
        T* w = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString text(const char* name) const {
        if (auto* e = window->findChild<QLineEdit*>(QString::fromLatin1(name)))
            return e->text();
        if (auto* l = window->findChild<QLabel*>(QString::fromLatin1(name)))
            return l->text();
        ADD_FAILURE() << "no text control " << name;
        return {};
    }
    bool checked(const char* name) const { return find<QAction>(name)->isChecked(); }

    // What a user does, step by step, as the headless dump's --do, --set, ... options.
    QString run(ScriptStep::Kind kind, const QString& name, const QString& value = {}) {
        return ScriptRunner(window.get(), prompts).run({kind, name, value});
    }
    void click(const QString& name) { EXPECT_EQ(run(ScriptStep::Kind::Do, name), "") << name; }
    void type(const QString& name, const QString& text) {
        EXPECT_EQ(run(ScriptStep::Kind::Set, name, text), "") << name;
    }
    void press(const QString& name, const QString& key) {
        EXPECT_EQ(run(ScriptStep::Kind::Key, name, key), "") << name;
    }
    void scroll(const QString& name, int position) {
        EXPECT_EQ(run(ScriptStep::Kind::Scroll, name, QString::number(position)), "") << name;
    }
    void chooseCell(const QString& name, int column, int row) {
        EXPECT_EQ(run(ScriptStep::Kind::Cell, name, QStringLiteral("%1,%2").arg(column).arg(row)),
                  "")
            << name;
    }
};

// A version-2 recording whose checks all pass.
inline RecordingBuilder intactRecording() {
    RecordingBuilder b;
    b.frameMark(0, 2).u8(filemap::kBank0 + 4, 2).u8(filemap::kBank1 + 4, 2);
    b.fixAllChecksums(2);
    return b;
}

} // namespace zurval::testing
