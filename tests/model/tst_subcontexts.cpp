#include "model/Contexts.h"
#include "model/SubContexts.h"
#include "support/TestCore.h"

#include <QtTest>

// The included-contexts relation: pairs in the order of adding, each once, by identity.
class TstSubContexts : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void includes_isDirectionalAndNeedsBoth();
    void setIncluded_keepsOnePairInAddingOrder();
    void remove_missingPairChangesNothing();
    void removeContext_dropsBothSides();
    void clear();

private:
    QStringList Pairs() const;

    std::unique_ptr<TTestCore> test_;
    TSubContexts* pairs_ = nullptr;
    TKavContext* office_ = nullptr;
    TKavContext* computer_ = nullptr;
    TKavContext* phone_ = nullptr;
};

void TstSubContexts::init()
{
    test_ = std::make_unique<TTestCore>();
    pairs_ = test_->core().SubContexts();
    TContexts& contexts = *test_->core().Contexts();
    contexts.Reset();
    office_ = contexts.Add();
    office_->SetName(u"Office"_qs);
    computer_ = contexts.Add();
    computer_->SetName(u"Computer"_qs);
    phone_ = contexts.Add();
    phone_->SetName(u"Phone"_qs);
}

void TstSubContexts::cleanup()
{
    test_.reset();
}

QStringList TstSubContexts::Pairs() const
{
    QStringList pairs;
    for (int position = 0; position < pairs_->Count(); ++position) {
        const TSubContext& pair = pairs_->At(position);
        pairs.append(pair.including->Name() + u" > " + pair.included->Name());
    }
    return pairs;
}

void TstSubContexts::includes_isDirectionalAndNeedsBoth()
{
    pairs_->Add(*office_, *computer_);
    QVERIFY(pairs_->Includes(office_, computer_));
    QVERIFY(!pairs_->Includes(computer_, office_));
    QVERIFY(!pairs_->Includes(office_, nullptr));
    QVERIFY(!pairs_->Includes(nullptr, computer_));
}

void TstSubContexts::setIncluded_keepsOnePairInAddingOrder()
{
    pairs_->SetIncluded(*computer_, *phone_, true);
    pairs_->SetIncluded(*office_, *computer_, true);
    pairs_->SetIncluded(*computer_, *phone_, true);
    pairs_->SetIncluded(*office_, *office_, true); // harmless: a context matches itself anyway
    QCOMPARE(Pairs(),
             QStringList({u"Computer > Phone"_qs, u"Office > Computer"_qs, u"Office > Office"_qs}));
    pairs_->SetIncluded(*computer_, *phone_, false);
    QCOMPARE(Pairs(), QStringList({u"Office > Computer"_qs, u"Office > Office"_qs}));
    QVERIFY(!pairs_->Includes(computer_, phone_));
    pairs_->SetIncluded(*computer_, *phone_, true);
    QCOMPARE(Pairs().last(), u"Computer > Phone"_qs);
}

void TstSubContexts::remove_missingPairChangesNothing()
{
    pairs_->Add(*office_, *computer_);
    pairs_->Remove(*computer_, *office_);
    pairs_->SetIncluded(*office_, *phone_, false);
    QCOMPARE(Pairs(), QStringList({u"Office > Computer"_qs}));
}

void TstSubContexts::removeContext_dropsBothSides()
{
    pairs_->Add(*office_, *computer_);
    pairs_->Add(*computer_, *phone_);
    pairs_->Add(*office_, *phone_);
    pairs_->RemoveContext(*computer_);
    QCOMPARE(Pairs(), QStringList({u"Office > Phone"_qs}));
    QVERIFY(!pairs_->Includes(office_, computer_));
    QVERIFY(!pairs_->Includes(computer_, phone_));
    QVERIFY(pairs_->Includes(office_, phone_));
}

void TstSubContexts::clear()
{
    pairs_->Add(*office_, *computer_);
    pairs_->Clear();
    QCOMPARE(pairs_->Count(), 0);
    QVERIFY(!pairs_->Includes(office_, computer_));
    pairs_->Add(*office_, *computer_);
    QCOMPARE(Pairs(), QStringList({u"Office > Computer"_qs}));
}

QTEST_GUILESS_MAIN(TstSubContexts)
#include "tst_subcontexts.moc"
