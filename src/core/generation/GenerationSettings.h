#pragma once

#include <QString>

enum class GenerationMode {
    Default,       // built-in ranges
    Custom,        // the four user-edited classes
    CopyUnchanged, // any other stored mode: the mask is copied as it stands
};

// Everything a batch reads from the settings store, read once per batch.
struct GenerationSettings
{
    QString upperClass;    // AlphaU
    QString lowerClass;    // AlphaL
    QString digitClass;    // Numeric
    QString specialClass;  // Special
    QString upperSymbol;   // uMask
    QString lowerSymbol;   // lMask
    QString digitSymbol;   // nMask
    QString specialSymbol; // sMask
    QString counterSymbol; // iMask
    QString wordSymbol;    // wMask: empty, as it starts, means no word symbol
    GenerationMode mode = GenerationMode::CopyUnchanged;
    bool capitaliseWords = false; // WordCap "1"
    QString wordList;             // Words: a list file; empty for the shipped English list
    bool noLookAlike = false;     // NoLookAlike "1": classes without look-alike characters

    // The values a password is made with, wherever one is made: each as
    // stored, an absent or empty one taking its start-up default (nothing is
    // written). A stored mode other than "0" or "1" still copies the mask.
    static GenerationSettings fromStore();
    // The values start-up writes on a first start.
    static GenerationSettings startupDefaults();

    // "0" default, "1" custom, anything else copies the mask unchanged.
    static GenerationMode modeFromText(const QString &text);
};
