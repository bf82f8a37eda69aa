import java.io.BufferedReader;
import java.io.InputStreamReader;
import java.lang.reflect.Constructor;
import java.lang.reflect.Field;
import java.lang.reflect.Method;
import java.lang.reflect.Modifier;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.List;

/**
 * Checks the Java test classes against the names the bridge uses. Reads the
 * lines the boundary's name printer writes and reports every class, method,
 * field or enumeration constant the test classes lack or declare otherwise.
 * Run in source-file mode with the compiled test classes on the class path.
 */
public class BoundaryCheck {
    public static void main(String[] args) throws Exception {
        BufferedReader in = new BufferedReader(new InputStreamReader(System.in, StandardCharsets.UTF_8));
        List<String> problems = new ArrayList<>();
        int checked = 0;
        for (String line; (line = in.readLine()) != null;) {
            if (line.isBlank()) {
                continue;
            }
            String[] part = line.split(" ");
            if (part.length != 4) {
                problems.add("unreadable line: " + line);
                continue;
            }
            checked++;
            try {
                String problem = check(part[0], Class.forName(part[1].replace('/', '.')), part[2], part[3]);
                if (problem != null) {
                    problems.add(line + ": " + problem);
                }
            } catch (ClassNotFoundException e) {
                problems.add(line + ": no such class");
            }
        }
        for (String problem : problems) {
            System.out.println(problem);
        }
        if (checked == 0) {
            System.out.println("no names to check");
            System.exit(1);
        }
        System.out.println(checked + " names checked, " + problems.size() + " disagree");
        System.exit(problems.isEmpty() ? 0 : 1);
    }

    static String check(String kind, Class<?> owner, String name, String detail) throws Exception {
        switch (kind) {
        case "method":
        case "static":
            if (name.equals("<init>")) {
                for (Constructor<?> c : owner.getDeclaredConstructors()) {
                    if (descriptor(c.getParameterTypes(), void.class).equals(detail)) {
                        return null;
                    }
                }
                return "no such constructor";
            }
            Method method = findMethod(owner, name, detail);
            if (method == null) {
                return "no such method";
            }
            return Modifier.isStatic(method.getModifiers()) == kind.equals("static")
                ? null : "static where it should not be, or the other way round";
        case "field":
            for (Class<?> c = owner; c != null; c = c.getSuperclass()) {
                for (Field f : c.getDeclaredFields()) {
                    if (f.getName().equals(name)) {
                        return descriptor(f.getType()).equals(detail) ? null : "field of another type";
                    }
                }
            }
            return "no such field";
        case "constant":
            for (Object constant : owner.getEnumConstants() == null ? new Object[0] : owner.getEnumConstants()) {
                if (((Enum<?>) constant).name().equals(name)) {
                    Object value = owner.getMethod("getValue").invoke(constant);
                    return value.toString().equals(detail) ? null : "value " + value;
                }
            }
            return "no such constant";
        default:
            return "unknown kind " + kind;
        }
    }

    // The class's own methods, then its superclasses' and interfaces', as the
    // interface's method look-up searches them.
    static Method findMethod(Class<?> c, String name, String detail) {
        if (c == null) {
            return null;
        }
        for (Method m : c.getDeclaredMethods()) {
            if (m.getName().equals(name) && descriptor(m.getParameterTypes(), m.getReturnType()).equals(detail)) {
                return m;
            }
        }
        Method found = findMethod(c.getSuperclass(), name, detail);
        for (int i = 0; found == null && i < c.getInterfaces().length; i++) {
            found = findMethod(c.getInterfaces()[i], name, detail);
        }
        return found;
    }

    static String descriptor(Class<?>[] parameters, Class<?> result) {
        StringBuilder text = new StringBuilder("(");
        for (Class<?> p : parameters) {
            text.append(descriptor(p));
        }
        return text.append(')').append(descriptor(result)).toString();
    }

    static String descriptor(Class<?> type) {
        if (type.isArray()) {
            return "[" + descriptor(type.getComponentType());
        }
        if (type.isPrimitive()) {
            return switch (type.getName()) {
                case "boolean" -> "Z";
                case "byte" -> "B";
                case "char" -> "C";
                case "short" -> "S";
                case "int" -> "I";
                case "long" -> "J";
                case "float" -> "F";
                case "double" -> "D";
                default -> "V";
            };
        }
        return "L" + type.getName().replace('.', '/') + ";";
    }
}
