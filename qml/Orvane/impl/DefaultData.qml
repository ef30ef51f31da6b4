pragma Singleton
import Orvane.Templates 1.0 as T

T.Data {}
