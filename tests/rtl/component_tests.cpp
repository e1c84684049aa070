#include "platform/rtl/component.h"
#include "tests/support/qt_print.h"
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

// Remembers what it was told about removed components, in a shared log that
// outlives it.
class Watcher : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(double Amount MEMBER amount_)
public:
    Watcher(TComponent* owner, std::vector<QString>* log) : TComponent(owner), log_(log) {}
    ~Watcher() override { if (log_) log_->push_back("freed " + Name()); }
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption) { caption_ = caption; }

protected:
    void Notification(TComponent* component, bool removing) override
    {
        if (removing && log_) log_->push_back(Name() + " heard " + component->Name());
        TComponent::Notification(component, removing);
    }

private:
    std::vector<QString>* log_;
    QString caption_;
    double amount_ = 0;
};

} // namespace

TEST(Component, OwnerFreesItsComponents)
{
    std::vector<QString> log;
    auto form = std::make_unique<TComponent>();
    auto* table = new Watcher(form.get(), &log);
    table->SetName("TblBanks");
    auto* field = new Watcher(table, &log);
    field->SetName("TblBanksCode");
    EXPECT_EQ(table->Owner(), form.get());
    EXPECT_EQ(form->ComponentCount(), 1);
    EXPECT_EQ(form->Components(0), table);
    EXPECT_EQ(form->Components(1), nullptr);
    form.reset();
    // Both are freed; a component freed by its owner sends no news back.
    EXPECT_EQ(log, (std::vector<QString>{"freed TblBanks", "freed TblBanksCode"}));
}

TEST(Component, FreeingOneTellsItsOwnersOtherComponents)
{
    std::vector<QString> log;
    TComponent form;
    auto* source = new Watcher(&form, &log);
    source->SetName("DsBanks");
    auto* grid = new Watcher(&form, &log);
    grid->SetName("Grid1");
    auto* column = new Watcher(grid, &log);
    column->SetName("Column1");
    delete source;
    EXPECT_EQ(log, (std::vector<QString>{"freed DsBanks", "Grid1 heard DsBanks", "Column1 heard DsBanks"}));
    EXPECT_EQ(form.ComponentCount(), 1);
}

TEST(Component, FindComponentIgnoresCase)
{
    TComponent form;
    auto* table = new TComponent(&form);
    table->SetName("TblBanks");
    new TComponent(table);   // not found through the form: it belongs to the table
    table->Components(0)->SetName("Inner");
    EXPECT_EQ(form.FindComponent("tblbanks"), table);
    EXPECT_EQ(form.FindComponent("TBLBANKS"), table);
    EXPECT_EQ(form.FindComponent("Inner"), nullptr);
    EXPECT_EQ(form.FindComponent(""), nullptr);
    EXPECT_EQ(table->FindComponent("inner"), table->Components(0));
}

TEST(Component, PublishedPropertiesByName)
{
    Watcher watcher(nullptr, nullptr);
    EXPECT_TRUE(watcher.SetPropertyValue("Caption", QString("Banks")));
    EXPECT_EQ(watcher.Caption(), "Banks");
    EXPECT_TRUE(watcher.SetPropertyValue("Amount", 12.5));
    EXPECT_EQ(watcher.GetPropertyValue("Amount").toDouble(), 12.5);
    EXPECT_TRUE(watcher.SetPropertyValue("Name", QString("W1")));
    EXPECT_EQ(watcher.Name(), "W1");
    EXPECT_TRUE(watcher.SetPropertyValue("Tag", 7));
    EXPECT_EQ(watcher.GetPropertyValue("Tag").toInt(), 7);
    EXPECT_TRUE(watcher.HasProperty("Caption"));

    // An unknown name is neither read nor invented.
    EXPECT_FALSE(watcher.GetPropertyValue("PictureMasks").isValid());
    EXPECT_FALSE(watcher.SetPropertyValue("PictureMasks", QString("x")));
    EXPECT_FALSE(watcher.HasProperty("PictureMasks"));
    EXPECT_FALSE(TComponent().HasProperty("Caption"));
}

#include "component_tests.moc"
