#pragma once

#include "mousemodel.h"

#include <QList>
#include <QObject>
#include <QStringList>

// One row of the lighting page's effect list: the effect index sent to the
// mouse is the row.
struct LightEffect
{
    // The row's name in the page's texts (language section "lightControl").
    int textIndex = 0;
    bool hasSpeed = false;
    bool hasBrightness = false;
    // The colour area is covered: the effect takes no colours from the page.
    bool colourShaded = true;
    // 571 mice: the effect uses the single colour rather than the colour row.
    bool singleColour = false;
    // Steps set when the user chooses the effect; -1 leaves the step alone.
    int speedOnChoose = -1;
    int brightnessOnChoose = -1;

    bool operator==(const LightEffect &other) const;
};

// The lighting effects a mouse offers, by its variant flags, with what each
// one shows on the lighting page. One table for the page and for kx20ctl.
class LightEffects : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isColorful READ isColorful WRITE setColorful NOTIFY rowsChanged)
    Q_PROPERTY(bool is55328 READ is55328 WRITE set55328 NOTIFY rowsChanged)
    Q_PROPERTY(bool is571 READ is571 WRITE set571 NOTIFY rowsChanged)
    Q_PROPERTY(int count READ count NOTIFY rowsChanged)
    Q_PROPERTY(QStringList builtInTexts READ builtInTexts CONSTANT)

public:
    explicit LightEffects(QObject *parent = nullptr);

    static constexpr int kTexts = 45;
    // The steps of the speed and brightness sliders: 0 to 4.
    static constexpr int kMaxStep = 4;

    static QList<LightEffect> rows(bool isColorful, bool is55328, bool is571);
    static QList<LightEffect> rows(const MouseModel &model);
    // The page's texts before a language replaces them: the title, the
    // effect and row names; the names of the 55328 and 571 rows come only
    // from a language file.
    static QStringList builtInTexts();
    // Each row's name in `texts` (a language section); "" where it has none.
    static QStringList names(const QList<LightEffect> &rows, const QStringList &texts);
    // The row a user means by `name`: case, spaces, '-' and '_' do not
    // count. -1 when no row has that name.
    static int rowOfName(const QStringList &names, const QString &name);

    bool isColorful() const { return m_isColorful; }
    bool is55328() const { return m_is55328; }
    bool is571() const { return m_is571; }
    void setColorful(bool on);
    void set55328(bool on);
    void set571(bool on);
    int count() const { return int(m_rows.size()); }

    // Row queries for the page; a row outside the list shows nothing.
    Q_INVOKABLE int textIndex(int row) const;
    Q_INVOKABLE bool hasSpeed(int row) const;
    Q_INVOKABLE bool hasBrightness(int row) const;
    Q_INVOKABLE bool colourShaded(int row) const;
    Q_INVOKABLE bool singleColour(int row) const;
    Q_INVOKABLE int speedOnChoose(int row) const;
    Q_INVOKABLE int brightnessOnChoose(int row) const;

signals:
    void rowsChanged();

private:
    LightEffect row(int index) const;
    void rebuild();

    bool m_isColorful = false;
    bool m_is55328 = false;
    bool m_is571 = false;
    QList<LightEffect> m_rows;
};
