#pragma once

#include <functional>
#include <vector>

#include <QByteArray>
#include <QMap>
#include <QMetaMethod>
#include <QPointer>
#include <QString>
#include <QVariant>

using TNotifyEvent = std::function<void(QObject *Sender)>;

// A property that a component stores itself, beside its Q_PROPERTYs (a region block, say). The reader
// hands `read` the parsed value; `write` gives the value to store, or an invalid QVariant to store nothing.
struct TDefinedProperty
{
    QString name;
    std::function<void(const QVariant &value)> read;
    std::function<QVariant()> write;
};

// An event property (`OnClick`) that a stored layout binds by name to a handler of the form: a method
// `Name(QObject*)`, or `Name(QObject*,int)` and so on for an event that passes more.
struct TEventProperty
{
    QString name;
    // The handler's parameter list as moc spells it, "QObject*" first.
    QByteArray parameters;
    // Points the event at that method of the form.
    std::function<void(QObject *form, const QMetaMethod &method)> bind;
    // The handler itself when it is a notify event, null otherwise.
    TNotifyEvent *handler;
};

// A member of a window that the layout reader points at the component of that name once the whole layout
// is read (see TBound).
struct TBoundMember
{
    QString name;
    const QMetaObject *type;
    std::function<void(QObject *component)> assign;
};

// The component state shared by every class that a stored layout can create: whether it is being loaded,
// whether it sits in a layout designer, its event properties and its self-stored properties. A mixin
// beside QObject, so that widgets and plain objects carry the same state.
class TComponent
{
public:
    TComponent() = default;
    virtual ~TComponent() = default;
    TComponent(const TComponent &) = delete;
    TComponent &operator=(const TComponent &) = delete;

    bool Loading() const { return m_loading; }
    bool Designing() const { return m_designing; }
    // Only tests switch design mode on; the running program never does.
    void SetDesigning(bool designing) { m_designing = designing; }

    // The layout reader calls BeginLoading when it creates the component and Loaded once the whole
    // layout is read. Overrides call the base first, which ends the loading state.
    void BeginLoading() { m_loading = true; }
    virtual void Loaded();

    virtual std::vector<TDefinedProperty> DefinedProperties();
    // Whether a written layout stores this published property now; a value the component takes from
    // elsewhere (its parent's colour, say) is not its own to store.
    virtual bool StoresProperty(const char *name) const;
    // A child object stored under this component (an event under a timer list, an item under a popup
    // menu) has been created with this component as its Qt parent and wants to join its list.
    virtual void InsertChild(QObject *child);

    const std::vector<TEventProperty> &Events() const { return m_events; }
    // Null when the component publishes no event of that name.
    const TEventProperty *EventProperty(const QString &name) const;
    // The handler of a notify event, or null.
    TNotifyEvent *Event(const QString &name) const;
    // Binds an event to a handler and remembers the handler's name, which a written layout stores.
    void BindEvent(const QString &event, const QString &handlerName, TNotifyEvent handler);
    // Binds an event of any signature to the form's method of that name.
    void BindEvent(const QString &event, const QString &handlerName, QObject *form,
                   const QMetaMethod &method);
    QString HandlerName(const QString &event) const { return m_handlerNames.value(event); }

    // The TComponent behind an object, or null when it is a plain QObject.
    static TComponent *Of(QObject *object);
    static const TComponent *Of(const QObject *object);

    // Members that the layout reader binds by name; TBound members add themselves.
    const std::vector<TBoundMember> &BoundMembers() const { return m_boundMembers; }
    void AddBoundMember(TBoundMember member) { m_boundMembers.push_back(std::move(member)); }

protected:
    // Constructors publish their event members once; the member must live as long as the component.
    template <class... Args>
    void PublishEvent(const QString &name, std::function<void(QObject *, Args...)> &handler);

private:
    void RememberHandler(const QString &event, const QString &handlerName);

    bool m_loading = false;
    bool m_designing = false;
    std::vector<TEventProperty> m_events;
    QMap<QString, QString> m_handlerNames;
    std::vector<TBoundMember> m_boundMembers;
};

template <class... Args>
void TComponent::PublishEvent(const QString &name, std::function<void(QObject *, Args...)> &handler)
{
    // Spelled once for each signature; every control shares the text.
    static const QByteArray parameters = [] {
        QByteArray spelled = "QObject*";
        ((spelled += ',' + QByteArray(QMetaType::fromType<Args>().name())), ...);
        return spelled;
    }();
    auto bind = [&handler](QObject *form, const QMetaMethod &method) {
        handler = [target = QPointer<QObject>(form), method](QObject *sender, Args... args) {
            if (target)
                method.invoke(target.data(), Qt::DirectConnection, Q_ARG(QObject *, sender),
                              QArgument<Args>(QMetaType::fromType<Args>().name(), args)...);
        };
    };
    TNotifyEvent *notify = nullptr;
    if constexpr (sizeof...(Args) == 0)
        notify = &handler;
    m_events.push_back({name, parameters, std::move(bind), notify});
}
