// Qt's own texts follow the windows' language: the standard buttons of a message box and the
// labels of Qt's file dialog speak German after a change to German, and English again after.

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include "Language.h"
#include "QtTranslations.h"
#include "TCaptionRegistry.h"
#include "TestApplication.h"

namespace {

QStringList ButtonTexts() {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Kelwin"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QStringList texts;
    for (QMessageBox::StandardButton b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
        texts << box.button(b)->text().remove(QLatin1Char('&'));
    return texts;
}

QString LookInLabel() {
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* label = dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"));
    return label ? label->text() : QString();
}

}  // namespace

TEST(QtTranslations, MessageBoxesAndFileDialogsFollowTheLanguage) {
    TestApplication();
    TCaptionRegistry& registry = TCaptionRegistry::Of(Program::Kelwin);
    ASSERT_TRUE(registry.ApplyLanguage(kGerman));
    EXPECT_EQ(ButtonTexts(), (QStringList{"Ja", "Nein", "Abbrechen"}));
    EXPECT_EQ(LookInLabel(), "Suchen in:");
    ASSERT_TRUE(registry.ApplyLanguage(kFrench));
    EXPECT_EQ(ButtonTexts(), (QStringList{"Oui", "Non", "Annuler"}));
    ASSERT_TRUE(registry.ApplyLanguage(kEnglish));
    EXPECT_EQ(ButtonTexts(), (QStringList{"Yes", "No", "Cancel"}));
    EXPECT_EQ(LookInLabel(), "Look in:");
    // A language outside the tables changes nothing.
    EXPECT_FALSE(UseQtTranslations(7));
    EXPECT_EQ(ButtonTexts(), (QStringList{"Yes", "No", "Cancel"}));
}
