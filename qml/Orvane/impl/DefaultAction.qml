pragma Singleton
import Orvane.Templates 1.0 as T

// What an ActionSource shows while nothing is loaded.
T.Action {
    title: "<N/A>"
    enabled: false
}
