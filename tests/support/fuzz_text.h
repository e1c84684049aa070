#pragma once
// Random and mutated texts for the parsers' fuzz tests: a fixed seed, so a
// failure comes back on every run, and texts drawn from the characters each
// parser cares about, so that most of them reach deep into it.
#include <QString>
#include <QStringList>
#include <random>

class FuzzText {
public:
    explicit FuzzText(unsigned seed) : rng_(seed) {}

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    QString Random(const QString& alphabet, int maxLength)
    {
        QString text;
        for (int n = Below(maxLength + 1); n > 0; --n) text += alphabet[Below(int(alphabet.size()))];
        return text;
    }

    // One of the seeds with a few characters inserted, replaced, deleted or
    // a piece of it repeated.
    QString Mutated(const QStringList& seeds, const QString& alphabet)
    {
        QString text = seeds[Below(int(seeds.size()))];
        for (int edits = 1 + Below(4); edits > 0; --edits) {
            const int at = Below(int(text.size()) + 1);
            switch (Below(4)) {
            case 0: text.insert(at, alphabet[Below(int(alphabet.size()))]); break;
            case 1: if (at < text.size()) text[at] = alphabet[Below(int(alphabet.size()))]; break;
            case 2: text.remove(at, 1 + Below(3)); break;
            default: text.insert(at, text.mid(at, 1 + Below(6))); break;
            }
        }
        return text;
    }

    // Half random, half mutated seeds.
    QString Next(const QStringList& seeds, const QString& alphabet, int maxLength)
    {
        return Below(2) == 0 ? Random(alphabet, maxLength) : Mutated(seeds, alphabet);
    }

private:
    std::mt19937 rng_;
};
