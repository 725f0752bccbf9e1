#pragma once

#include "FileMap.h"
#include "MainWindow.h"
#include "Prompts.h"
#include "RecordingBuilder.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

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
};

// A version-2 recording whose checks all pass.
inline RecordingBuilder intactRecording() {
    RecordingBuilder b;
    b.frameMark(0, 2).u8(filemap::kBank0 + 4, 2).u8(filemap::kBank1 + 4, 2);
    b.fixBankChecksums().fixImageSum();
    return b;
}

} // namespace zurval::testing
